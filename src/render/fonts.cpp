#include "render/fonts.h"

#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>

#include "platform/font_glyphs.h"
#include "render/viewport.h"

int32_t largeFontHeight = -42;
uint32_t largeFontBase = 0, smallFontBase = 0;

namespace {

// One display list per character code from 32 (space) to 127 (DEL).
constexpr int firstCode = 32;
constexpr int glyphCount = 96;

void ReleaseFont(uint32_t& base) {
    if (base != 0) glDeleteLists(base, glyphCount);
    base = 0;
}

// Formats into a bounded buffer on the stack (a frame allocates nothing), keeps
// only the codes the font has lists for, and calls those lists.
void PrintWith(uint32_t base, const char* format, va_list arguments) {
    // An unbuilt font has no lists; base 0 would call other lists of the context.
    if (!format || base == 0) return;
    char text[256];
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    if (length <= 0) return;
    const int formatted = length < int(sizeof text) ? length : int(sizeof text) - 1;
    GLsizei count = 0;
    for (int i = 0; i < formatted; ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        if (code >= firstCode && code < firstCode + glyphCount) text[count++] = char(code);
    }
    if (count == 0) return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(base - firstCode);
    glCallLists(count, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

} // namespace

void BuildLargeFont() {
    // The standard window sizes each have a height; any other size keeps the
    // height chosen last.
    if (viewportWidth == 1024.0f && viewportHeight == 768.0f)
        largeFontHeight = -40;
    else if (viewportWidth == 800.0f && viewportHeight == 600.0f)
        largeFontHeight = -33;
    else if (viewportWidth == 640.0f && viewportHeight == 480.0f)
        largeFontHeight = -25;
    largeFontBase = BuildGlyphLists(largeFontHeight);
}

void BuildSmallFont() { smallFontBase = BuildGlyphLists(smallFontHeight); }

void ReleaseLargeFont() { ReleaseFont(largeFontBase); }
void ReleaseSmallFont() { ReleaseFont(smallFontBase); }

void PrintLarge(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    PrintWith(largeFontBase, format, arguments);
    va_end(arguments);
}

void PrintSmall(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    PrintWith(smallFontBase, format, arguments);
    va_end(arguments);
}
