#include "platform/win32/window_procedure.h"

#include "platform/win32/pointer_messages.h"
#include "shell/window_messages.h"

LRESULT CALLBACK HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        // The record of the window, from OpenGameWindow, for every later message.
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        return 0;
    }
    auto* game = reinterpret_cast<GameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // The few messages before WM_CREATE are the system's business.
    if (game == nullptr) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            WindowShown(game, LOWORD(lParam), HIWORD(lParam));
            return 0;
        }
        if (wParam == SIZE_MINIMIZED) {
            WindowMinimised(game);
            return 0;
        }
        break;
    case WM_ACTIVATEAPP:
        // Only a switch between programs: the game's own message boxes do not
        // take the game away.
        FollowActivation(game, window, wParam != FALSE);
        return 0;
    case WM_DISPLAYCHANGE:
        FollowDisplayChange(game, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CLOSE:
        // Not passed on: the window loop closes the window once the pass ends.
        RequestQuit(game);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam > 255) break;
        RecordKey(game, KeySource::keyboard, static_cast<uint32_t>(wParam),
                  message == WM_KEYDOWN ? 1 : 0);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        HandlePointerMessage(game, window, message, lParam);
        return 0;
    case WM_SYSCOMMAND:
        // Neither the screen saver nor the monitor's power-down while the game runs.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    case modeToggleMessage:
        ToggleDisplayMode(game);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
