#include <windows.h>

#include "platform/message_box.h"
#include "platform/win32/gamepad.h"
#include "shell/game_window.h"

namespace {

HHOOK raiseHook = nullptr;

// Puts the box about to be activated among the topmost windows.
LRESULT CALLBACK RaiseBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        SetWindowPos(reinterpret_cast<HWND>(wParam), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UnhookWindowsHookEx(raiseHook);
        raiseHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Whether the game window is up among the topmost windows, as it is full screen.
bool TopmostGameWindow() {
    return gameWindow && gameWindow->window &&
           (GetWindowLongA(gameWindow->window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The box as the report asks for it.
void ShowBox(const char* text, ReportOwner owner) {
    // The picture reader's and the fonts' boxes belong to the window with the
    // keyboard focus, and so stay above it, the full-screen game window included.
    HWND focus = owner == ReportOwner::focusedWindow ? GetFocus() : nullptr;
    if (focus) {
        MessageBoxA(focus, text, "Error", MB_OK);
        return;
    }
    // A box without an owner would stay below a topmost window, and the
    // full-screen game window is one ("Loading Textures Failed" comes while it is
    // up): while it is there, the box joins the topmost windows as it is
    // activated (Wine does not act on MB_TOPMOST, which asks for the same). Any
    // other time it is an ordinary window, which does not float above other
    // programs.
    const UINT style = owner == ReportOwner::focusedWindow ? MB_OK : MB_OK | MB_ICONEXCLAMATION;
    if (TopmostGameWindow())
        raiseHook = SetWindowsHookExA(WH_CBT, RaiseBox, nullptr, GetCurrentThreadId());
    MessageBoxA(nullptr, text, "Error", style);
    if (raiseHook) UnhookWindowsHookEx(raiseHook);
    raiseHook = nullptr;
}

} // namespace

void ShowErrorBox(const char* text, ReportOwner owner) {
    const UINT_PTR gamepads = StartDialogGamepads();
    ShowBox(text, owner);
    StopDialogGamepads(gamepads);
}
