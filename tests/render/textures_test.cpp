// The five textures in a real OpenGL context: made from Data/, drawn, and not
// made at all when a picture fails.

#include <GL/gl.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "dib_builder.h"
#include "render/textures.h"
#include "support/gl_window.h"
#include "support/report_recorder.h"
#include "support/scratch_folder.h"

namespace {

constexpr int side = 64;

// A 2 x 2 picture per texture, four colours told apart by the texture's index.
// Its 6-byte rows are not a multiple of 4 bytes, so they only come out right
// when the upload reads them packed.
TestDib QuadrantPicture(int index) {
    const uint32_t tint = uint32_t(index) * 0x20;
    return {.width = 2,
            .height = 2,
            .values = {0xFF0000 | tint, 0x00FF00 | tint, 0x0000FF | tint << 16, 0xFFFFFF - tint}};
}

class Textures : public testing::Test {
  protected:
    Textures() {
        std::filesystem::create_directory("Data");
        for (int index = 0; index < textureCount; ++index)
            WriteFile(textureFiles[index], Encode(QuadrantPicture(index)));
    }

    // Draws the texture over the whole window, picture bottom row at the bottom.
    void DrawFullWindow(uint32_t texture) {
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0), glVertex2f(-1, -1);
        glTexCoord2f(1, 0), glVertex2f(1, -1);
        glTexCoord2f(1, 1), glVertex2f(1, 1);
        glTexCoord2f(0, 1), glVertex2f(-1, 1);
        glEnd();
    }

    static void ExpectNear(std::array<uint8_t, 3> seen, uint32_t rgb) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(seen[c], int(rgb >> (16 - 8 * c) & 0xFF), 8) << "channel " << c;
    }

    ScratchFolder scratch;
    GlWindow window{side, side};
    ReportRecorder recorder;
};

TEST_F(Textures, EachIndexShowsItsPictureUpright) {
    ASSERT_EQ(LoadTextures(), 1);
    EXPECT_EQ(recorder.Reports(), std::vector<std::string>{});
    for (int index = 0; index < textureCount; ++index) {
        SCOPED_TRACE(textureFiles[index]);
        DrawFullWindow(textures[index]);
        const std::vector<uint32_t>& v = QuadrantPicture(index).values;
        // Quadrant centres sit on texel centres; the first stored row is the bottom.
        ExpectNear(window.PixelAt(side / 4, side / 4), v[0]);
        ExpectNear(window.PixelAt(3 * side / 4, side / 4), v[1]);
        ExpectNear(window.PixelAt(side / 4, 3 * side / 4), v[2]);
        ExpectNear(window.PixelAt(3 * side / 4, 3 * side / 4), v[3]);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Textures, AreMipmappedAndRepeat) {
    ASSERT_EQ(LoadTextures(), 1);
    GLint value = 0, unpack = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    EXPECT_EQ(unpack, 4) << "the unpack alignment goes back to its default";
    for (uint32_t texture : textures) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
        EXPECT_EQ(value, GL_LINEAR_MIPMAP_NEAREST);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
        EXPECT_EQ(value, GL_LINEAR);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
        EXPECT_EQ(value, GL_REPEAT);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
        EXPECT_EQ(value, 1) << "the 1 x 1 mipmap level exists";
    }
    // Repeat wrapping: texture coordinates 1 to 2 show the picture again.
    glMatrixMode(GL_TEXTURE);
    glTranslatef(1, 0, 0);
    DrawFullWindow(textures[blueTexture]);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    ExpectNear(window.PixelAt(side / 4, side / 4), QuadrantPicture(blueTexture).values[0]);
}

TEST_F(Textures, AMissingPictureStopsSilentlyBeforeAnyTextureIsMade) {
    std::filesystem::remove("Data/stars.bmp");
    WriteFile("Data/pointer.bmp", ""); // later pictures are not even tried
    EXPECT_EQ(LoadTextures(), 0);
    EXPECT_EQ(recorder.Reports(), std::vector<std::string>{});
    for (GLuint name = 1; name <= textureCount; ++name) EXPECT_FALSE(glIsTexture(name));
}

TEST_F(Textures, ABrokenPictureIsReportedOnce) {
    WriteFile("Data/screen.bmp", "");
    EXPECT_EQ(LoadTextures(), 0);
    EXPECT_EQ(recorder.Reports(),
              std::vector<std::string>{"Failed to open DIB file Data/screen.bmp.\n"});
    for (GLuint name = 1; name <= textureCount; ++name) EXPECT_FALSE(glIsTexture(name));

    TestDib unknown{};
    unknown.headerSize = 108;
    WriteFile("Data/screen.bmp", Encode(unknown));
    EXPECT_EQ(LoadTextures(), 0);
    EXPECT_EQ(recorder.Reports().back(), "Unknown DIB file format.");
}

} // namespace
