#include "platform/win32/pointer_messages.h"

#include <windowsx.h>

#include "platform/pointer.h"
#include "shell/pointer.h"

void HandlePointerMessage(GameWindow* game, HWND window, UINT message, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam);
    const int32_t y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        // The button's release comes here even when it is let go outside.
        SetCapture(window);
        RecordPointer(game, PointerAction::press, x, y);
        break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        RecordPointer(game, PointerAction::release, x, y);
        break;
    default:
        RecordPointer(game, PointerAction::move, x, y);
        break;
    }
}

int32_t ClientHeight(GameWindow* window) {
    RECT client{};
    if (!window->window || !GetClientRect(window->window, &client)) return 0;
    return client.bottom - client.top;
}
