// Bitmaps at the raster position, and the display lists that hold them, as the
// fonts use them: glRasterPos and the queries of where it is, glBitmap,
// glNewList / glEndList of bitmaps, glCallLists with glListBase, and
// glPushAttrib / glPopAttrib of the list base.
//
// A bitmap's set bits become fragments of the raster colour at the raster
// position's depth, tested and blended as any other; its clear bits leave the
// picture alone. Each bitmap is kept in an atlas texture of the context, and a
// run of bitmaps is drawn as one batch of squares whose clear texels are
// discarded.

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "platform/web/gl/fixed_function.h"
#include "platform/web/gl/webgl.h"

namespace {

struct RasterPosition {
    float x = 0, y = 0, z = 0; // window coordinates
    std::array<float, 4> colour{1, 1, 1, 1};
    bool valid = true;
};

// One bitmap: its place in an atlas page and how glBitmap placed it.
struct Bitmap {
    int page = -1; // -1: an empty bitmap, which only moves the raster position
    int u = 0, v = 0, width = 0, height = 0;
    float xOrigin = 0, yOrigin = 0, xMove = 0, yMove = 0;
};

constexpr int pageSize = 512;
struct AtlasPage {
    GLuint texture = 0;
    int shelfX = 0, shelfY = 0, shelfHeight = 0;
};

struct AttributeFrame {
    GLbitfield mask;
    GLuint listBase;
};

struct Bitmaps {
    RasterPosition raster;
    std::map<GLuint, std::vector<Bitmap>> lists;
    GLuint nextList = 1;
    GLuint compiling = 0; // the list glNewList opened, 0 for none
    GLenum compileMode = GL_COMPILE;
    GLuint listBase = 0;
    std::vector<AttributeFrame> attributes;
    std::vector<AtlasPage> pages;
    std::vector<float> batch; // x y z, s t per vertex, in normalised device coordinates
    int batchPage = -1;
    GLuint program = 0;
    GLint colour = -1, atlas = -1;
};
Bitmaps bitmaps;

// The same stack depth as Mesa's attribute stack.
constexpr size_t attributeDepth = 16;

constexpr const char* vertexShader = R"(
attribute vec3 position;
attribute vec2 texCoord;
varying vec2 vTexCoord;
void main() {
    vTexCoord = texCoord;
    gl_Position = vec4(position, 1.0);
})";

constexpr const char* fragmentShader = R"(
precision highp float;
uniform vec4 colour;
uniform sampler2D atlas;
varying vec2 vTexCoord;
void main() {
    if (texture2D(atlas, vTexCoord).a < 0.5) discard;
    gl_FragColor = colour;
})";

// Room for a width x height bitmap in the last page, or in a new one; -1 when
// it cannot fit in any page.
int PlaceInAtlas(int width, int height, int* u, int* v) {
    if (width + 1 > pageSize || height + 1 > pageSize) return -1;
    if (!bitmaps.pages.empty()) {
        AtlasPage& page = bitmaps.pages.back();
        if (page.shelfX + width + 1 > pageSize) {
            page.shelfX = 0;
            page.shelfY += page.shelfHeight;
            page.shelfHeight = 0;
        }
        if (page.shelfY + height + 1 <= pageSize) {
            *u = page.shelfX;
            *v = page.shelfY;
            page.shelfX += width + 1;
            if (height + 1 > page.shelfHeight) page.shelfHeight = height + 1;
            return int(bitmaps.pages.size()) - 1;
        }
    }
    AtlasPage page;
    emscripten_glGenTextures(1, &page.texture);
    emscripten_glBindTexture(GL_TEXTURE_2D, page.texture);
    const std::vector<GLubyte> clear(size_t(pageSize) * pageSize, 0);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, pageSize, pageSize, 0, GL_ALPHA,
                            GL_UNSIGNED_BYTE, clear.data());
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, fixedFunction.unpackAlignment);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixedFunction.boundTexture);
    page.shelfX = width + 1;
    page.shelfHeight = height + 1;
    bitmaps.pages.push_back(page);
    *u = 0;
    *v = 0;
    return int(bitmaps.pages.size()) - 1;
}

// The bitmap in glBitmap's layout (rows from the bottom, most significant bit
// leftmost, rows padded to the unpack alignment) copied into the atlas.
Bitmap KeepBitmap(GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove,
                  GLfloat yMove, const GLubyte* bits) {
    Bitmap bitmap{-1, 0, 0, width, height, xOrigin, yOrigin, xMove, yMove};
    if (width == 0 || height == 0 || bits == nullptr) return bitmap;
    bitmap.page = PlaceInAtlas(width, height, &bitmap.u, &bitmap.v);
    if (bitmap.page < 0) return bitmap;
    const int alignment = fixedFunction.unpackAlignment;
    const int rowBytes = (width + 7) / 8;
    const int stride = (rowBytes + alignment - 1) / alignment * alignment;
    std::vector<GLubyte> texels(size_t(width) * height);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            if (bits[row * stride + x / 8] & (0x80 >> (x % 8)))
                texels[size_t(row) * width + x] = 255;
    emscripten_glBindTexture(GL_TEXTURE_2D, bitmaps.pages[bitmap.page].texture);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, bitmap.u, bitmap.v, width, height, GL_ALPHA,
                               GL_UNSIGNED_BYTE, texels.data());
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, fixedFunction.unpackAlignment);
    emscripten_glBindTexture(GL_TEXTURE_2D, fixedFunction.boundTexture);
    return bitmap;
}

bool ProgramReady() {
    if (bitmaps.program != 0) return true;
    bitmaps.program = BuildProgram(vertexShader, fragmentShader, "position", nullptr, "texCoord");
    if (bitmaps.program == 0) return false;
    bitmaps.colour = emscripten_glGetUniformLocation(bitmaps.program, "colour");
    bitmaps.atlas = emscripten_glGetUniformLocation(bitmaps.program, "atlas");
    return true;
}

// Draws the squares gathered so far, in the raster colour.
void FlushBatch() {
    if (bitmaps.batch.empty()) return;
    if (ProgramReady()) {
        UseProgram(bitmaps.program);
        emscripten_glUniform4fv(bitmaps.colour, 1, bitmaps.raster.colour.data());
        emscripten_glUniform1i(bitmaps.atlas, 0);
        emscripten_glBindTexture(GL_TEXTURE_2D, bitmaps.pages[bitmaps.batchPage].texture);
        const int components[3] = {3, 0, 2};
        DrawVertices(GL_TRIANGLES, bitmaps.batch.data(), int(bitmaps.batch.size() / 5), 5,
                     components);
        emscripten_glBindTexture(GL_TEXTURE_2D, fixedFunction.boundTexture);
    }
    bitmaps.batch.clear();
}

// One bitmap at the raster position, which then moves on: its lower left corner
// on the pixel at the raster position less its origin, rounded down.
void DrawBitmap(const Bitmap& bitmap) {
    RasterPosition& raster = bitmaps.raster;
    if (!raster.valid) return;
    if (bitmap.page >= 0) {
        if (bitmap.page != bitmaps.batchPage) {
            FlushBatch();
            bitmaps.batchPage = bitmap.page;
        }
        const GLint* viewport = fixedFunction.viewport;
        const float left = std::floor(raster.x - bitmap.xOrigin);
        const float bottom = std::floor(raster.y - bitmap.yOrigin);
        auto toX = [&](float x) { return 2 * (x - viewport[0]) / float(viewport[2]) - 1; };
        auto toY = [&](float y) { return 2 * (y - viewport[1]) / float(viewport[3]) - 1; };
        const float x0 = toX(left), x1 = toX(left + bitmap.width);
        const float y0 = toY(bottom), y1 = toY(bottom + bitmap.height);
        const float z = 2 * raster.z - 1;
        const float s0 = float(bitmap.u) / pageSize, s1 = float(bitmap.u + bitmap.width) / pageSize;
        const float t0 = float(bitmap.v) / pageSize,
                    t1 = float(bitmap.v + bitmap.height) / pageSize;
        bitmaps.batch.insert(bitmaps.batch.end(),
                             {x0, y0, z, s0, t0, x1, y0, z, s1, t0, x1, y1, z, s1, t1,
                              x0, y0, z, s0, t0, x1, y1, z, s1, t1, x0, y1, z, s0, t1});
    }
    raster.x += bitmap.xMove;
    raster.y += bitmap.yMove;
}

void CallList(GLuint list) {
    const auto found = bitmaps.lists.find(list);
    if (found == bitmaps.lists.end()) return;
    for (const Bitmap& bitmap : found->second) DrawBitmap(bitmap);
}

} // namespace

void ResetBitmaps() { bitmaps = Bitmaps{}; }

extern "C" {

void glRasterPos3f(GLfloat x, GLfloat y, GLfloat z) {
    const Matrix m = ModelViewProjection();
    float clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    RasterPosition& raster = bitmaps.raster;
    raster.colour = fixedFunction.colour;
    const float w = clip[3];
    raster.valid =
        w > 0 && std::fabs(clip[0]) <= w && std::fabs(clip[1]) <= w && std::fabs(clip[2]) <= w;
    if (!raster.valid) return;
    const GLint* viewport = fixedFunction.viewport;
    raster.x = viewport[0] + (clip[0] / w + 1) * float(viewport[2]) / 2;
    raster.y = viewport[1] + (clip[1] / w + 1) * float(viewport[3]) / 2;
    raster.z = (clip[2] / w + 1) / 2;
}

void glRasterPos2f(GLfloat x, GLfloat y) { glRasterPos3f(x, y, 0); }

// Only the raster position is asked after; WebGL keeps nothing else of these.
void glGetBooleanv(GLenum name, GLboolean* values) {
    if (name != GL_CURRENT_RASTER_POSITION_VALID) {
        RecordGlError(GL_INVALID_ENUM);
        return;
    }
    values[0] = bitmaps.raster.valid ? GL_TRUE : GL_FALSE;
}

void glGetFloatv(GLenum name, GLfloat* values) {
    if (name != GL_CURRENT_RASTER_POSITION) {
        RecordGlError(GL_INVALID_ENUM);
        return;
    }
    const RasterPosition& raster = bitmaps.raster;
    const GLfloat position[4] = {raster.x, raster.y, raster.z, 1};
    std::copy(position, position + 4, values);
}

void glBitmap(GLsizei width, GLsizei height, GLfloat xOrigin, GLfloat yOrigin, GLfloat xMove,
              GLfloat yMove, const GLubyte* bits) {
    if (width < 0 || height < 0) {
        RecordGlError(GL_INVALID_VALUE);
        return;
    }
    const Bitmap bitmap = KeepBitmap(width, height, xOrigin, yOrigin, xMove, yMove, bits);
    if (bitmaps.compiling != 0) {
        bitmaps.lists[bitmaps.compiling].push_back(bitmap);
        if (bitmaps.compileMode == GL_COMPILE) return;
    }
    DrawBitmap(bitmap);
    FlushBatch();
}

GLuint glGenLists(GLsizei range) {
    if (range < 0) {
        RecordGlError(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) return 0;
    const GLuint first = bitmaps.nextList;
    bitmaps.nextList += GLuint(range);
    for (GLuint list = first; list < bitmaps.nextList; ++list) bitmaps.lists[list];
    return first;
}

void glNewList(GLuint list, GLenum mode) {
    if (list == 0) {
        RecordGlError(GL_INVALID_VALUE);
        return;
    }
    if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) {
        RecordGlError(GL_INVALID_ENUM);
        return;
    }
    if (bitmaps.compiling != 0) {
        RecordGlError(GL_INVALID_OPERATION);
        return;
    }
    bitmaps.compiling = list;
    bitmaps.compileMode = mode;
    bitmaps.lists[list].clear();
}

void glEndList() {
    if (bitmaps.compiling == 0) {
        RecordGlError(GL_INVALID_OPERATION);
        return;
    }
    bitmaps.compiling = 0;
}

// The atlas keeps the squares of deleted lists until the context ends.
void glDeleteLists(GLuint list, GLsizei range) {
    if (range < 0) {
        RecordGlError(GL_INVALID_VALUE);
        return;
    }
    for (GLsizei i = 0; i < range; ++i) bitmaps.lists.erase(list + GLuint(i));
}

void glListBase(GLuint base) { bitmaps.listBase = base; }

void glCallLists(GLsizei count, GLenum type, const GLvoid* lists) {
    if (count < 0) {
        RecordGlError(GL_INVALID_VALUE);
        return;
    }
    if (type != GL_UNSIGNED_BYTE) {
        RecordGlError(GL_INVALID_ENUM);
        return;
    }
    const auto* codes = static_cast<const GLubyte*>(lists);
    for (GLsizei i = 0; i < count; ++i) CallList(bitmaps.listBase + codes[i]);
    FlushBatch();
}

// Only the list base is kept on the attribute stack: it is the one attribute
// the game saves.
void glPushAttrib(GLbitfield mask) {
    if (bitmaps.attributes.size() >= attributeDepth) {
        RecordGlError(GL_STACK_OVERFLOW);
        return;
    }
    bitmaps.attributes.push_back({mask, bitmaps.listBase});
}

void glPopAttrib() {
    if (bitmaps.attributes.empty()) {
        RecordGlError(GL_STACK_UNDERFLOW);
        return;
    }
    const AttributeFrame frame = bitmaps.attributes.back();
    bitmaps.attributes.pop_back();
    if (frame.mask & GL_LIST_BIT) bitmaps.listBase = frame.listBase;
}

} // extern "C"
