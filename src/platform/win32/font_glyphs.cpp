// The glyphs of the game's fonts on Windows: GDI makes the font, and WGL turns
// its characters into one display list each.

#include <windows.h>

#include <GL/gl.h>

#include "platform/font_glyphs.h"

uint32_t BuildGlyphLists(int32_t height) {
    constexpr DWORD firstCode = 32;
    constexpr DWORD glyphCount = 96;
    const GLuint base = glGenLists(glyphCount);
    if (base == 0) return 0;
    // The window's device context, made current with the OpenGL context.
    HDC deviceContext = wglGetCurrentDC();
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             FF_DONTCARE | DEFAULT_PITCH, "Times New Roman");
    HGDIOBJ previous = SelectObject(deviceContext, font);
    wglUseFontBitmapsA(deviceContext, firstCode, glyphCount, base);
    // The lists hold the glyphs now; the font itself is not needed again.
    SelectObject(deviceContext, previous);
    DeleteObject(font);
    return base;
}
