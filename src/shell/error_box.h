#pragma once

// Shows an error report in a message box titled "Error", over the window that
// has the keyboard focus, if any. Without a display the standard error line that
// every report also gets is all there is.
void ShowErrorBox(const char* text);
