#pragma once

// The one way the game tells the player something went wrong: the text goes to
// standard error, and to errorBoxHook when one is set (the window layer sets it
// to show a message box titled "Error"; tests set it to collect the reports).
void ReportError(const char* text);

using ErrorBoxHook = void (*)(const char* text);
extern ErrorBoxHook errorBoxHook;
