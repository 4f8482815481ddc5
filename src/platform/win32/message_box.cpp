#include <windows.h>

#include "platform/message_box.h"

void ShowErrorBox(const char* text, ReportOwner owner) {
    if (owner == ReportOwner::focusedWindow)
        MessageBoxA(GetFocus(), text, "Error", MB_OK);
    else
        MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION);
}
