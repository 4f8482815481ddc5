// The two bitmap fonts in a real OpenGL context: the large font's height per
// window size, glyphs drawn upright on the baseline, the raster position moving
// on, and text the fonts must not draw.

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/linux/font_face.h"
#include "render/fonts.h"
#include "render/viewport.h"
#include "support/gl_window.h"
#include "support/report_recorder.h"
#include "support/scratch_folder.h"

namespace {

constexpr int windowWidth = 400, windowHeight = 120;
// Where text starts: room below for descenders, above for the large em height.
constexpr int originX = 20, originY = 40;

using PrintFunction = void (*)(const char*, ...);

// The window's lit pixels: their bounding box and how many lie in each row and
// column.
struct Ink {
    int count = 0;
    int left = windowWidth, right = -1, bottom = windowHeight, top = -1;
    std::vector<int> perRow = std::vector<int>(windowHeight);
    std::vector<int> perColumn = std::vector<int>(windowWidth);
};

Ink ReadInk() {
    std::vector<uint8_t> rgb(size_t(windowWidth) * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    Ink ink;
    for (int y = 0; y < windowHeight; ++y)
        for (int x = 0; x < windowWidth; ++x) {
            if (rgb[(size_t(y) * windowWidth + x) * 3] < 128) continue;
            ++ink.count, ++ink.perRow[y], ++ink.perColumn[x];
            ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
            ink.bottom = std::min(ink.bottom, y), ink.top = std::max(ink.top, y);
        }
    return ink;
}

float RasterX() {
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

class Fonts : public testing::Test {
  protected:
    // Each test starts from the height the game starts with, on a window size
    // that has no height of its own, and drawing in window pixels.
    Fonts() {
        largeFontHeight = -42;
        viewportWidth = windowWidth;
        viewportHeight = windowHeight;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, windowWidth, 0, windowHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor3f(1, 1, 1);
    }
    ~Fonts() override {
        ReleaseLargeFont();
        ReleaseSmallFont();
        largeFontHeight = -42;
        viewportWidth = viewportHeight = 0;
    }

    // Clears to black, puts the raster position at the text origin and returns
    // how far the print moved it.
    static float PrintedAdvance(auto print, auto... arguments) {
        glClear(GL_COLOR_BUFFER_BIT);
        glRasterPos2i(originX, originY);
        const float before = RasterX();
        print(arguments...);
        return RasterX() - before;
    }

    GlWindow window{windowWidth, windowHeight};
    ReportRecorder recorder;
};

TEST_F(Fonts, LargeHeightFollowsTheWindowSize) {
    struct Case {
        float width, height;
        int32_t expected;
    };
    // Both sides must match; other sizes, the full 1280 x 1024 included, keep -42.
    const Case cases[] = {{1024, 768, -40}, {800, 600, -33},  {640, 480, -25}, {1280, 1024, -42},
                          {1024, 712, -42}, {768, 1024, -42}, {800, 768, -42}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.width)) + " x " + std::to_string(int(c.height)));
        largeFontHeight = -42;
        viewportWidth = c.width, viewportHeight = c.height;
        BuildLargeFont();
        EXPECT_EQ(largeFontHeight, c.expected);
        ReleaseLargeFont();
    }

    // A size without a height of its own keeps the one chosen last.
    for (float width : {800.0f, 1280.0f, 800.0f}) {
        viewportWidth = width, viewportHeight = width == 800 ? 600 : 1024;
        BuildLargeFont();
        EXPECT_EQ(largeFontHeight, -33) << "after a build at " << width;
        ReleaseLargeFont();
    }
    EXPECT_TRUE(recorder.Reports().empty());
}

TEST_F(Fonts, GlyphsStandUprightOnTheBaselineAtTheirSize) {
    struct Case {
        const char* name;
        void (*build)();
        PrintFunction print;
        float viewportWidth, viewportHeight;
        int em;
    };
    const Case cases[] = {{"large at 1280 x 1024", BuildLargeFont, PrintLarge, 1280, 1024, 42},
                          {"large at 640 x 480", BuildLargeFont, PrintLarge, 640, 480, 25},
                          {"small", BuildSmallFont, PrintSmall, 1280, 1024, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        viewportWidth = c.viewportWidth, viewportHeight = c.viewportHeight;
        c.build();
        // An L: its stem is the fullest column and lies left, its foot the
        // fullest row and lies at the bottom, so a flipped or mirrored glyph shows.
        const float advance = PrintedAdvance(c.print, "L");
        const Ink ink = ReadInk();
        ASSERT_GT(ink.count, 0);
        EXPECT_GT(advance, 0.3f * c.em);
        EXPECT_LT(advance, 1.0f * c.em);

        // On the baseline, right of the origin, within the advance.
        EXPECT_GE(ink.bottom, originY - 1);
        EXPECT_LE(ink.bottom, originY + 1);
        EXPECT_GE(ink.left, originX - 2);
        EXPECT_LE(ink.right, originX + int(advance) + 2);
        // A capital stands about two thirds of the em height.
        const int capHeight = ink.top - ink.bottom + 1;
        EXPECT_GT(capHeight, 0.55 * c.em);
        EXPECT_LT(capHeight, 0.8 * c.em);

        const int middleX = (ink.left + ink.right) / 2, middleY = (ink.bottom + ink.top) / 2;
        const auto fullestColumn = std::max_element(ink.perColumn.begin(), ink.perColumn.end());
        const auto fullestRow = std::max_element(ink.perRow.begin(), ink.perRow.end());
        EXPECT_LT(fullestColumn - ink.perColumn.begin(), middleX) << "mirrored";
        EXPECT_LT(fullestRow - ink.perRow.begin(), middleY) << "upside down";

        // Bold: the stem is more than a hairline wide.
        int stemWidth = 0;
        for (int x = ink.left; x <= ink.right; ++x)
            if (ink.perColumn[x] >= capHeight * 3 / 4) ++stemWidth;
        EXPECT_GE(stemWidth, std::max(2, c.em / 10));
        ReleaseLargeFont();
        ReleaseSmallFont();
    }
}

TEST_F(Fonts, PrintingKeepsTheCallersStateAndFormats) {
    BuildLargeFont();
    BuildSmallFont();
    const float large = PrintedAdvance(PrintLarge, "TRUE");
    const float small = PrintedAdvance(PrintSmall, "TRUE");
    EXPECT_GT(small, 0);
    EXPECT_GT(large, small * 1.5f);

    // Formatting: a string argument and a number come out as their text.
    EXPECT_EQ(PrintedAdvance(PrintLarge, "%s", "TRUE"), large);
    EXPECT_EQ(PrintedAdvance(PrintSmall, "Row %d", 12), PrintedAdvance(PrintSmall, "Row 12"));

    // The list base the caller had is the one in effect afterwards.
    glListBase(7);
    PrintLarge("x");
    PrintSmall("x");
    GLint listBase = 0;
    glGetIntegerv(GL_LIST_BASE, &listBase);
    EXPECT_EQ(listBase, 7);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Fonts, BuildingKeepsTheCallersPixelStore) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    BuildLargeFont();
    BuildSmallFont();
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    EXPECT_NE(largeFontBase, 0u);
    EXPECT_NE(smallFontBase, 0u);
    EXPECT_NE(largeFontBase, smallFontBase);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Fonts, OnlyPrintableCodesAreDrawnAndTextIsCutAt255) {
    // The small font's lists come first, so a stray byte would call one of them.
    BuildSmallFont();
    BuildLargeFont();
    const char* none = nullptr;
    EXPECT_EQ(PrintedAdvance(PrintLarge, none), 0);
    EXPECT_EQ(ReadInk().count, 0);
    // Control and high bytes have no lists in the font: nothing drawn, no move,
    // and the text around them still prints.
    EXPECT_EQ(PrintedAdvance(PrintLarge, "\x01\xff\x1f\x80"), 0);
    EXPECT_EQ(ReadInk().count, 0);
    EXPECT_EQ(PrintedAdvance(PrintLarge, "A\x01\xff"
                                         "B"),
              PrintedAdvance(PrintLarge, "AB"));
    // DEL is in the font but shows and moves nothing.
    EXPECT_EQ(PrintedAdvance(PrintLarge, "\x7f"), 0);

    const float oneW = PrintedAdvance(PrintLarge, "W");
    ASSERT_GT(oneW, 0);
    const std::string long1000(1000, 'W');
    EXPECT_EQ(PrintedAdvance(PrintLarge, "%s", long1000.c_str()), 255 * oneW);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Fonts, ReleasedOrUnbuiltFontsDrawNothing) {
    // Never built: releasing and printing do nothing.
    ReleaseSmallFont();
    EXPECT_EQ(PrintedAdvance(PrintSmall, "TRUE"), 0);

    BuildSmallFont();
    const uint32_t base = smallFontBase;
    ASSERT_TRUE(glIsList(base + ('A' - 32)));
    ReleaseSmallFont();
    EXPECT_EQ(smallFontBase, 0u);
    EXPECT_FALSE(glIsList(base + ('A' - 32)));
    EXPECT_EQ(PrintedAdvance(PrintSmall, "TRUE"), 0);
    EXPECT_EQ(ReadInk().count, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// With no fonts to be had, the player is told once and the game goes on
// without text.
TEST_F(Fonts, MissingFaceIsReportedOnceAndDrawsNothing) {
    ScratchFolder scratch;
    WriteFile("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" +
                                scratch.Path().string() + "</cachedir></fontconfig>\n");
    const std::string configFile = (scratch.Path() / "fonts.conf").string();
    setenv("FONTCONFIG_FILE", configFile.c_str(), 1);
    ForgetGlyphFace();
    BuildLargeFont();
    BuildSmallFont();
    unsetenv("FONTCONFIG_FILE");
    ForgetGlyphFace();

    ASSERT_EQ(recorder.Reports().size(), 1u);
    EXPECT_NE(recorder.Reports()[0].find("Times New Roman"), std::string::npos);
    EXPECT_NE(largeFontBase, 0u);
    EXPECT_EQ(PrintedAdvance(PrintLarge, "TRUE"), 0);
    EXPECT_EQ(PrintedAdvance(PrintSmall, "TRUE"), 0);
    EXPECT_EQ(ReadInk().count, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
