#include <windows.h>

#include "platform/message_box.h"
#include "platform/win32/gamepad.h"

namespace {

HHOOK raiseHook = nullptr;

// Puts the box about to be activated among the topmost windows. MB_TOPMOST asks
// for that, but Wine does not act on it.
LRESULT CALLBACK RaiseBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        SetWindowPos(reinterpret_cast<HWND>(wParam), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UnhookWindowsHookEx(raiseHook);
        raiseHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
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
    // up): it goes among the topmost windows too.
    const UINT style = owner == ReportOwner::focusedWindow ? MB_OK : MB_OK | MB_ICONEXCLAMATION;
    raiseHook = SetWindowsHookExA(WH_CBT, RaiseBox, nullptr, GetCurrentThreadId());
    MessageBoxA(nullptr, text, "Error", style | MB_TOPMOST);
    if (raiseHook) UnhookWindowsHookEx(raiseHook);
    raiseHook = nullptr;
}

} // namespace

void ShowErrorBox(const char* text, ReportOwner owner) {
    const UINT_PTR gamepads = StartDialogGamepads();
    ShowBox(text, owner);
    StopDialogGamepads(gamepads);
}
