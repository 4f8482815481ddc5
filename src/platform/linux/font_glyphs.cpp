// The glyphs of the game's fonts on Linux: fontconfig finds the face (on Debian
// Liberation Serif Bold, the metric twin of Times New Roman) and FreeType
// rasterises it into glBitmap lists.

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/font_glyphs.h"
#include "platform/linux/font_face.h"
#include "render/error_report.h"

namespace {

// One display list per character code from 32 (space) to 127 (DEL).
constexpr int firstCode = 32;
constexpr int glyphCount = 96;

// The face both fonts are cut from, as a fontconfig pattern.
constexpr const char* facePattern = "Times New Roman:bold";

// The face file and its index within the file, as fontconfig matches them.
struct FaceLocation {
    std::string file;
    int index = 0;
};

// Asks fontconfig for the face. The configuration is loaded for this question
// alone and let go again. Empty file: nothing matched.
FaceLocation FindFace() {
    FaceLocation location;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return location;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(facePattern));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        if (match) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
                location.file = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &location.index) != FcResultMatch)
                location.index = 0;
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return location;
}

// The rendered glyph in glBitmap's layout: rows from the bottom up, each packed
// to whole bytes, most significant bit leftmost. FreeType's rows run top down
// (or bottom up for a negative pitch); grey bitmaps, which a face's own
// embedded strikes can give, are cut at half intensity.
bool PackBitmap(const FT_Bitmap& bitmap, std::vector<GLubyte>& bits) {
    const unsigned width = bitmap.width, rows = bitmap.rows;
    const unsigned rowBytes = (width + 7) / 8;
    const unsigned stride = unsigned(std::abs(bitmap.pitch));
    bits.assign(size_t(rowBytes) * rows, 0);
    for (unsigned top = 0; top < rows; ++top) {
        const unsigned memoryRow = bitmap.pitch >= 0 ? top : rows - 1 - top;
        const unsigned char* source = bitmap.buffer + size_t(memoryRow) * stride;
        GLubyte* target = bits.data() + size_t(rows - 1 - top) * rowBytes;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::memcpy(target, source, rowBytes);
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const unsigned threshold = bitmap.num_grays > 1 ? unsigned(bitmap.num_grays) / 2 : 1;
            for (unsigned x = 0; x < width; ++x)
                if (source[x] >= threshold) target[x / 8] |= GLubyte(0x80 >> (x % 8));
        } else {
            return false;
        }
    }
    return true;
}

// The body of one character's list: its bitmap placed so that the glyph sits on
// the baseline at the raster position, then the step to the next character. A
// code the face lacks compiles to nothing and so draws and moves nothing.
void CompileGlyph(FT_Face face, FT_ULong code, std::vector<GLubyte>& bits) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0) return;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    const GLfloat advance = GLfloat((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer || !PackBitmap(bitmap, bits)) {
        glBitmap(0, 0, 0, 0, advance, 0, nullptr);
        return;
    }
    const GLsizei rows = GLsizei(bitmap.rows);
    glBitmap(GLsizei(bitmap.width), rows, GLfloat(-slot->bitmap_left),
             GLfloat(rows - slot->bitmap_top), advance, 0, bits.data());
}

// The face both fonts are cut from, found and opened on first use and kept for
// the life of the process: loading fontconfig's configuration to find it costs
// more than building a font, and every window builds two. Null when there is
// none, which the player is told once.
struct GlyphFace {
    bool lookedFor = false;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};
GlyphFace glyphFace;

FT_Face FaceForGlyphs() {
    if (glyphFace.lookedFor) return glyphFace.face;
    glyphFace.lookedFor = true;
    const FaceLocation location = FindFace();
    if (!location.file.empty() && FT_Init_FreeType(&glyphFace.library) == 0 &&
        FT_New_Face(glyphFace.library, location.file.c_str(), location.index, &glyphFace.face) != 0)
        glyphFace.face = nullptr;
    if (glyphFace.face == nullptr)
        ReportError("Font \"Times New Roman\" bold not found; text will not be shown.",
                    ReportOwner::focusedWindow);
    return glyphFace.face;
}

// Makes the 96 lists of one font at the given em height in pixels. The lists are
// made even when the face is missing, empty then, so that release and printing
// work the same either way.
uint32_t BuildFont(int32_t emPixels) {
    const GLuint base = glGenLists(glyphCount);
    if (base == 0) return 0;

    const FT_Face face = FaceForGlyphs();
    const bool opened = face != nullptr && FT_Set_Pixel_Sizes(face, 0, FT_UInt(emPixels)) == 0;

    // The glyph rows are packed to whole bytes with no further fill, read as
    // written; the caller's pixel-store settings come back afterwards.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    std::vector<GLubyte> bits;
    for (int offset = 0; offset < glyphCount; ++offset) {
        const int code = firstCode + offset;
        glNewList(base + GLuint(offset), GL_COMPILE);
        // 127 is DEL, a control code with nothing to show.
        if (opened && code != 127) CompileGlyph(face, FT_ULong(code), bits);
        glEndList();
    }
    glPopClientAttrib();
    return base;
}

} // namespace

uint32_t BuildGlyphLists(int32_t height) { return BuildFont(std::abs(height)); }

void ForgetGlyphFace() {
    if (glyphFace.face) FT_Done_Face(glyphFace.face);
    if (glyphFace.library) FT_Done_FreeType(glyphFace.library);
    glyphFace = GlyphFace{};
}
