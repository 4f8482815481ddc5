#include <windows.h>

#include "platform/message_box.h"

void ShowErrorBox(const char* text, ReportOwner owner) {
    if (owner == ReportOwner::focusedWindow) {
        // Owned, so above its owner, the full-screen game window included.
        MessageBoxA(GetFocus(), text, "Error", MB_OK);
    } else {
        // Without an owner a box stays below a topmost window, and the full-screen
        // game window is one ("Loading Textures Failed" comes while it is up).
        MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
    }
}
