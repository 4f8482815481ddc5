#pragma once

// Whose message box a report is. The window layer's reports stand alone, with a
// warning sign; the picture reader's and the fonts' belong to the window that has
// the keyboard focus (none, when no window has it).
enum class ReportOwner { none, focusedWindow };

// The one way the game tells the player something went wrong: the text goes to
// standard error, and to errorBoxHook when one is set (the window layer sets it
// to show a message box titled "Error"; tests set it to collect the reports).
void ReportError(const char* text, ReportOwner owner);

using ErrorBoxHook = void (*)(const char* text, ReportOwner owner);
extern ErrorBoxHook errorBoxHook;
