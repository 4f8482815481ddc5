#include "platform/win32/pointer_messages.h"

#include <windowsx.h>

#include "platform/pointer.h"

void HandlePointerMessage(GameWindow* game, HWND window, UINT message, LPARAM lParam) {
    if (message == WM_CAPTURECHANGED) {
        // Another window took the mouse while its button was down.
        if (reinterpret_cast<HWND>(lParam) != window)
            RecordPointer(game, PointerAction::cancel, 0, 0);
        return;
    }
    // The client area's pixels, from its top left; the drawing counts from
    // the bottom left, one drawn pixel to each (the program is DPI-aware).
    RECT client{};
    if (!GetClientRect(window, &client)) return;
    const float x = float(GET_X_LPARAM(lParam)) + 0.5f;
    const float y = float(client.bottom - GET_Y_LPARAM(lParam)) - 0.5f;
    switch (message) {
    case WM_LBUTTONDOWN:
        // The button's release comes here even when it is let go outside.
        SetCapture(window);
        RecordPointer(game, PointerAction::press, x, y);
        break;
    case WM_LBUTTONUP:
        // Let go of the capture after the release, which its change would
        // otherwise cancel.
        RecordPointer(game, PointerAction::release, x, y);
        ReleaseCapture();
        break;
    default:
        RecordPointer(game, PointerAction::move, x, y);
        break;
    }
}
