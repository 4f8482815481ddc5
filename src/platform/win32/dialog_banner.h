#pragma once

#include <windows.h>

// The start-up dialog's banner picture is drawn for 96 dots per inch, while the
// dialog's measures follow its font, which Windows makes at the dialog's DPI (the
// game draws in the screen's real pixels, see kelmot.manifest). At any other DPI
// the banner control is given a copy scaled to match, so that the banner fills
// its place as it does at 100 %. Restore before the dialog ends: the control gets
// back the picture it loaded, and the copy is deleted.
void ScaleDialogBanner(HWND dialog);
void RestoreDialogBanner(HWND dialog);
