// The glyphs of the game's fonts on Windows: GDI makes the font, and WGL turns
// its characters into one display list each.
//
// When "Times New Roman" is not installed, GDI's font mapper picks the nearest
// face it has (by character set, pitch and family, weight and size), so the text
// is drawn in that face and there is nothing to tell. What is told, once, is a
// font that cannot be made at all or whose glyphs WGL cannot turn into lists
// (no face to be had, or a face it cannot rasterise): the lists are then left
// empty and text draws nothing, as on Linux.

#include <windows.h>

#include <GL/gl.h>

#include "platform/font_glyphs.h"
#include "render/error_report.h"

namespace {

constexpr DWORD firstCode = 32;
constexpr DWORD glyphCount = 96;

bool glyphFailureTold = false;

// wglUseFontBitmapsA can stop part-way: whatever it compiled goes, so that a
// failed font draws nothing rather than some of its characters.
void EmptyLists(GLuint base) {
    for (GLuint list = base; list < base + glyphCount; ++list) {
        glNewList(list, GL_COMPILE);
        glEndList();
    }
}

} // namespace

uint32_t BuildGlyphLists(int32_t height) {
    const GLuint base = glGenLists(glyphCount);
    if (base == 0) return 0;
    // The window's device context, made current with the OpenGL context.
    HDC deviceContext = wglGetCurrentDC();
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             FF_DONTCARE | DEFAULT_PITCH, "Times New Roman");
    bool made = false;
    if (font) {
        HGDIOBJ previous = SelectObject(deviceContext, font);
        made = wglUseFontBitmapsA(deviceContext, firstCode, glyphCount, base) != FALSE;
        // The lists hold the glyphs now; the font itself is not needed again.
        SelectObject(deviceContext, previous);
        DeleteObject(font);
    }
    if (!made) {
        EmptyLists(base);
        if (!glyphFailureTold)
            ReportError("Font \"Times New Roman\" bold could not be made; text will not be shown.",
                        ReportOwner::focusedWindow);
        glyphFailureTold = true;
    }
    return base;
}
