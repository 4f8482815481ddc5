// The desktop icon at each size it ships in: as read back from its PNG file, a
// rounded tile with soft edges, and marks that still read at the smallest size.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bmp_file.h"
#include "icon.h"
#include "png_read_back.h"
#include "support/scratch_folder.h"

namespace {

// The pixel under a point given in the icon's 256ths of its side.
Colour ColourAt(const RgbaPicture& icon, int32_t x, int32_t y) {
    const int32_t size = icon.colour.Width();
    return icon.colour.At(x * size / 256, y * size / 256);
}

int32_t OpacityAt(const RgbaPicture& icon, int32_t x, int32_t y) {
    const int32_t size = icon.colour.Width();
    return icon.opacity.At(x * size / 256, y * size / 256).r;
}

} // namespace

TEST(Icon, EverySizeReadsBackFromItsFileAsDrawn) {
    ScratchFolder folder;
    for (const int32_t size : iconSizes) {
        SCOPED_TRACE(size);
        const RgbaPicture icon = DrawIcon(size);
        ASSERT_EQ(icon.colour.Width(), size);
        ASSERT_EQ(icon.colour.Height(), size);
        const std::string name = "kelmot-" + std::to_string(size) + ".png";
        ASSERT_EQ(WriteWholeFile(name, EncodePng(icon)), "");
        EXPECT_EQ(Differences(icon, ReadPngWithPixbuf(folder.Path() / name)), "");
    }
}

TEST(Icon, IsARoundedTileWithSoftEdges) {
    for (const int32_t size : iconSizes) {
        SCOPED_TRACE(size);
        const RgbaPicture icon = DrawIcon(size);
        const int32_t last = size - 1;
        // Clear in the corners and along the very edge, solid inside.
        for (const auto& [x, y] :
             {std::pair{0, 0}, std::pair{last, 0}, std::pair{0, last}, std::pair{last, last},
              std::pair{size / 2, 0}, std::pair{0, size / 2},
              std::pair{size * 12 / 256, size * 12 / 256},
              std::pair{last - size * 12 / 256, last - size * 12 / 256}})
            EXPECT_EQ(icon.opacity.At(x, y).r, 0) << "at " << x << ", " << y;
        for (const auto& [x, y] : {std::pair{size / 2, size / 2}, std::pair{size / 2, size / 16},
                                   std::pair{size / 16, size / 2}, std::pair{size / 5, size / 5},
                                   std::pair{last - size / 5, last - size / 5}})
            EXPECT_EQ(icon.opacity.At(x, y).r, 255) << "at " << x << ", " << y;

        int32_t partly = 0;
        for (int32_t y = 0; y < size; ++y)
            for (int32_t x = 0; x < size; ++x)
                partly += icon.opacity.At(x, y).r > 0 && icon.opacity.At(x, y).r < 255 ? 1 : 0;
        EXPECT_GE(partly, size / 8) << "pixels partly clear";
    }
}

// The board's cells are 60 of the 256ths wide, from 38 to 218; the O's sit at
// the top right and bottom left, the board's lines at 98 and 158.
TEST(Icon, MarksAndBoardStayDistinctAtEverySize) {
    for (const int32_t size : iconSizes) {
        SCOPED_TRACE(size);
        const RgbaPicture icon = DrawIcon(size);
        for (const auto& [x, y] : {std::pair{188, 68}, std::pair{68, 188}}) {
            const Colour hole = ColourAt(icon, x, y);
            EXPECT_LT(hole.r + hole.g + hole.b, 3 * 80) << "O's hole at " << x << ", " << y;
            for (const auto& [dx, dy] : {std::pair{18, 0}, std::pair{-18, 0}, std::pair{0, 18}}) {
                const Colour ring = ColourAt(icon, x + dx, y + dy);
                EXPECT_GT(std::min({ring.r, ring.g, ring.b}), 200)
                    << "O's ring at " << x + dx << ", " << y + dy;
            }
        }
        for (const auto& [x, y] : {std::pair{98, 128}, std::pair{158, 128}, std::pair{128, 98}}) {
            const Colour line = ColourAt(icon, x, y);
            EXPECT_GT(line.r, 200) << "board line at " << x << ", " << y;
            EXPECT_LT(std::max(line.g, line.b), 90) << "board line at " << x << ", " << y;
        }
        EXPECT_EQ(OpacityAt(icon, 128, 128), 255);
    }
}

// Below 32 pixels the board's lines are whole pixels of red, one each side of
// the middle at the same distance, with no red glow beside them.
TEST(Icon, SmallSizesKeepTheBoardOnWholePixels) {
    auto red = [](Colour c) { return c.r > 200 && std::max(c.g, c.b) < 90; };
    for (const int32_t size : windowsIconSizes) {
        if (size >= 32) continue;
        SCOPED_TRACE(size);
        const RgbaPicture icon = DrawIcon(size);
        const int32_t middle = size / 2;
        std::vector<int32_t> lines;
        for (int32_t x = 0; x < size; ++x)
            if (red(icon.colour.At(x, middle))) lines.push_back(x);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0] + lines[1], size - 1);
        for (const int32_t line : lines) {
            EXPECT_TRUE(red(icon.colour.At(middle, line))) << "row " << line;
            for (const int32_t beside : {line - 1, line + 1}) {
                const Colour sky = icon.colour.At(beside, middle);
                EXPECT_GT(sky.b, sky.r) << "beside the line at " << beside;
            }
        }
        EXPECT_EQ(icon.opacity.At(0, 0).r, 0);
        EXPECT_EQ(icon.opacity.At(middle, 0).r, 255);
    }
}

// The sky is shaded from the top row to the bottom one, which at one pixel
// are the same row.
TEST(Icon, DrawsDownToASinglePixel) {
    for (const int32_t size : {1, 2, 3}) {
        SCOPED_TRACE(size);
        const RgbaPicture icon = DrawIcon(size);
        EXPECT_EQ(icon.colour.Width(), size);
        EXPECT_EQ(icon.opacity.Height(), size);
    }
}
