// gluBuild2DMipmaps: the picture scaled to sides that are powers of two (as
// GLU does, to the nearer power, and within the largest texture WebGL takes),
// then every smaller level down to 1 x 1, each the average of the texels it
// halves.

#include <GL/glu.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/web/gl/fixed_function.h"
#include "platform/web/gl/webgl.h"

namespace {

int ComponentsOf(GLenum format) {
    switch (format) {
    case GL_RGB:
        return 3;
    case GL_RGBA:
        return 4;
    case GL_LUMINANCE:
    case GL_ALPHA:
        return 1;
    case GL_LUMINANCE_ALPHA:
        return 2;
    default:
        return 0;
    }
}

// The power of two nearest to value, the higher one when it is halfway.
int NearestPowerOfTwo(int value) {
    int power = 1;
    while (power * 2 <= value) power *= 2;
    return value - power >= power * 2 - value ? power * 2 : power;
}

struct Picture {
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> texels; // rows packed without fill
};

// Each texel of the new size the average of the source texels its area covers.
Picture Scale(const Picture& from, int width, int height) {
    Picture to{width, height, from.components, {}};
    to.texels.resize(size_t(width) * height * from.components);
    for (int y = 0; y < height; ++y) {
        const int y0 = y * from.height / height;
        const int y1 = std::max(y0 + 1, (y + 1) * from.height / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * from.width / width;
            const int x1 = std::max(x0 + 1, (x + 1) * from.width / width);
            for (int c = 0; c < from.components; ++c) {
                unsigned sum = 0;
                for (int sy = y0; sy < y1; ++sy)
                    for (int sx = x0; sx < x1; ++sx)
                        sum += from.texels[(size_t(sy) * from.width + sx) * from.components + c];
                const unsigned count = unsigned((y1 - y0) * (x1 - x0));
                to.texels[(size_t(y) * width + x) * from.components + c] =
                    uint8_t((sum + count / 2) / count);
            }
        }
    }
    return to;
}

void Upload(GLenum target, GLint level, GLenum format, const Picture& picture) {
    emscripten_glTexImage2D(target, level, GLint(format), picture.width, picture.height, 0, format,
                            GL_UNSIGNED_BYTE, picture.texels.data());
}

} // namespace

extern "C" GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width,
                                   GLsizei height, GLenum format, GLenum type, const void* data) {
    const int components = ComponentsOf(format);
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    if (components == 0 || type != GL_UNSIGNED_BYTE || internalFormat < 1 || internalFormat > 4)
        return GLU_INVALID_ENUM;

    // The rows as the unpack alignment lays them out, packed.
    Picture picture{width, height, components, {}};
    const size_t rowBytes = size_t(width) * components;
    const size_t alignment = size_t(fixedFunction.unpackAlignment);
    const size_t stride = (rowBytes + alignment - 1) / alignment * alignment;
    picture.texels.resize(rowBytes * height);
    const auto* source = static_cast<const uint8_t*>(data);
    for (int row = 0; row < height; ++row)
        std::copy_n(source + stride * row, rowBytes, picture.texels.data() + rowBytes * row);

    GLint largest = 0;
    emscripten_glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest < 1) largest = 2048;
    const int levelWidth = std::min(NearestPowerOfTwo(width), int(largest));
    const int levelHeight = std::min(NearestPowerOfTwo(height), int(largest));
    if (levelWidth != width || levelHeight != height)
        picture = Scale(picture, levelWidth, levelHeight);

    // The texels are packed; WebGL is told so while they go up.
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLint level = 0;
    Upload(target, level, format, picture);
    while (picture.width > 1 || picture.height > 1) {
        picture = Scale(picture, std::max(1, picture.width / 2), std::max(1, picture.height / 2));
        Upload(target, ++level, format, picture);
    }
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, fixedFunction.unpackAlignment);
    return 0;
}
