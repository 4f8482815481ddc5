#include "render/error_report.h"

#include <cstdio>
#include <cstring>

ErrorBoxHook errorBoxHook = nullptr;

void ReportError(const char* text, ReportOwner owner) {
    // Some reports end in a line break of their own; standard error gets exactly one.
    const size_t length = std::strlen(text);
    const bool hasLineBreak = length > 0 && text[length - 1] == '\n';
    std::fprintf(stderr, "%s%s", text, hasLineBreak ? "" : "\n");
    if (errorBoxHook) errorBoxHook(text, owner);
}
