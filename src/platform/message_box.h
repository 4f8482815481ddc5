#pragma once

#include "render/error_report.h"

// Shows an error report in a message box titled "Error", owned as the report
// says. Without a display the standard error line that every report also gets
// is all there is.
void ShowErrorBox(const char* text, ReportOwner owner);
