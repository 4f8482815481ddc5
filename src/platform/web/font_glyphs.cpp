// The glyphs of the game's fonts in the browser: the browser draws each
// character of bold "Times New Roman" (or the serif face it puts in its place)
// at the em height asked for, and the page cuts it at half coverage into a
// one-bit bitmap; each becomes a display list drawing it with glBitmap, as on
// the other systems.

#include <GL/gl.h>
#include <emscripten.h>

#include <cstdlib>
#include <vector>

#include "platform/font_glyphs.h"

namespace {

// One display list per character code from 32 (space) to 127 (DEL).
constexpr int firstCode = 32;
constexpr int glyphCount = 96;

// The page's drawing of one character at emPixels: its advance, and the
// rectangle of its ink, left and top from the pen position on the baseline
// (top counts up), with one byte a pixel, rows from the top. Filled into
// metrics as advance, left, top, width, height; the pixels go to a buffer the
// caller frees, null for a character with no ink.
// clang-format off
EM_JS(uint8_t*, DrawPageGlyph, (int code, int emPixels, int32_t* metrics), {
    const glyph = kelmotPage.drawGlyph(String.fromCharCode(code), emPixels);
    const fields = [glyph.advance, glyph.left, glyph.top, glyph.width, glyph.height];
    fields.forEach((value, i) => HEAP32[(metrics >> 2) + i] = value);
    if (glyph.width == 0 || glyph.height == 0) return 0;
    const pixels = _malloc(glyph.pixels.length);
    HEAPU8.set(glyph.pixels, pixels);
    return pixels;
});
// clang-format on

// glBitmap's layout: rows from the bottom, most significant bit leftmost, each
// row packed to whole bytes.
std::vector<GLubyte> PackBitmap(const uint8_t* pixels, int width, int height) {
    const int rowBytes = (width + 7) / 8;
    std::vector<GLubyte> bits(size_t(rowBytes) * height, 0);
    for (int top = 0; top < height; ++top) {
        GLubyte* row = bits.data() + size_t(height - 1 - top) * rowBytes;
        for (int x = 0; x < width; ++x)
            if (pixels[size_t(top) * width + x]) row[x / 8] |= GLubyte(0x80 >> (x % 8));
    }
    return bits;
}

void CompileGlyph(int code, int emPixels) {
    int32_t metrics[5] = {};
    uint8_t* pixels = DrawPageGlyph(code, emPixels, metrics);
    const int32_t advance = metrics[0], left = metrics[1], top = metrics[2];
    const int32_t width = metrics[3], height = metrics[4];
    if (pixels == nullptr) {
        glBitmap(0, 0, 0, 0, GLfloat(advance), 0, nullptr);
        return;
    }
    const std::vector<GLubyte> bits = PackBitmap(pixels, width, height);
    std::free(pixels);
    glBitmap(width, height, GLfloat(-left), GLfloat(height - top), GLfloat(advance), 0,
             bits.data());
}

} // namespace

uint32_t BuildGlyphLists(int32_t height) {
    const GLuint base = glGenLists(glyphCount);
    if (base == 0) return 0;
    const int emPixels = std::abs(height);
    // The glyph rows are packed to whole bytes with no further fill; the
    // caller's alignment comes back afterwards.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int offset = 0; offset < glyphCount; ++offset) {
        const int code = firstCode + offset;
        glNewList(base + GLuint(offset), GL_COMPILE);
        // 127 is DEL, a control code with nothing to show.
        if (code != 127) CompileGlyph(code, emPixels);
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return base;
}
