// The PNG encoder, checked from outside: zlib takes the file apart and checks
// its checksums, gdk-pixbuf reads it back as any other program would.

#include <gtest/gtest.h>
#include <zlib.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "png_file.h"
#include "png_read_back.h"
#include "support/scratch_folder.h"

namespace {

// Every pixel different, every opacity from 0 to 255 somewhere, colour under
// clear pixels too; the opacity canvas's green and blue are not its red, so
// reading the wrong channel shows.
RgbaPicture Pattern(int32_t width, int32_t height) {
    RgbaPicture picture{Canvas(width, height, {}), Canvas(width, height, {})};
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.colour.Put(x, y,
                               {(x * 7 + y) % 256, (y * 13 + x * 3) % 256, (x * y + 5) % 256});
            const int32_t opacity = (x * 11 + y * 29) % 256;
            picture.opacity.Put(x, y, {opacity, opacity ^ 0x55, opacity ^ 0xaa});
        }
    }
    return picture;
}

uint32_t Big32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Layout {
    std::string problem; // empty when the file is sound
    int32_t storedBlocks = 0;
};

// Takes the file apart chunk by chunk and checks each piece against the PNG and
// zlib formats, then inflates the image data with zlib (which checks its
// Adler-32) and compares the rows with the picture.
Layout CheckLayout(const std::vector<uint8_t>& png, const RgbaPicture& picture) {
    Layout layout;
    auto fail = [&layout](std::string problem) {
        layout.problem = std::move(problem);
        return layout;
    };
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (png.size() < 8 || !std::equal(signature.begin(), signature.end(), png.begin()))
        return fail("no PNG signature");

    std::vector<std::string> types;
    std::vector<uint8_t> header;
    std::vector<uint8_t> imageData;
    size_t at = 8;
    while (at < png.size()) {
        if (png.size() - at < 12) return fail("a chunk runs off the end");
        const uint32_t length = Big32(&png[at]);
        if (png.size() - at - 12 < length) return fail("a chunk runs off the end");
        const std::string type(png.begin() + std::ptrdiff_t(at + 4),
                               png.begin() + std::ptrdiff_t(at + 8));
        const uint32_t crc = uint32_t(crc32(0, &png[at + 4], uInt(length + 4)));
        if (crc != Big32(&png[at + 8 + length])) return fail("bad CRC on " + type);
        const std::vector<uint8_t> data(png.begin() + std::ptrdiff_t(at + 8),
                                        png.begin() + std::ptrdiff_t(at + 8 + length));
        if (type == "IHDR") header = data;
        if (type == "IDAT") imageData.insert(imageData.end(), data.begin(), data.end());
        types.push_back(type);
        at += 12 + length;
    }
    if (types.size() < 3 || types.front() != "IHDR" || types.back() != "IEND")
        return fail("chunks not IHDR ... IEND");

    const int32_t width = picture.colour.Width();
    const int32_t height = picture.colour.Height();
    if (header.size() != 13 || Big32(&header[0]) != uint32_t(width) ||
        Big32(&header[4]) != uint32_t(height))
        return fail("IHDR does not give the picture's size");
    if (header[8] != 8 || header[9] != 6 || header[10] != 0 || header[11] != 0 || header[12] != 0)
        return fail("IHDR is not plain 8-bit RGBA");

    // zlib header, then stored blocks only, the last one marked final, then the
    // 4-byte check value.
    if (imageData.size() < 2 || (imageData[0] & 0x0f) != 8 ||
        (imageData[0] * 256 + imageData[1]) % 31 != 0 || (imageData[1] & 0x20) != 0)
        return fail("bad zlib header");
    size_t block = 2;
    bool final = false;
    while (!final) {
        if (imageData.size() - block < 5) return fail("a block runs off the end");
        if ((imageData[block] & 0x06) != 0) return fail("a block is not stored");
        final = (imageData[block] & 0x01) != 0;
        const uint32_t length = imageData[block + 1] | uint32_t(imageData[block + 2]) << 8;
        const uint32_t check = imageData[block + 3] | uint32_t(imageData[block + 4]) << 8;
        if ((length ^ check) != 0xffff) return fail("a block's length check is wrong");
        if (imageData.size() - block - 5 < length) return fail("a block runs off the end");
        block += 5 + length;
        ++layout.storedBlocks;
    }
    if (imageData.size() - block != 4) return fail("not 4 bytes after the final block");

    const size_t rowBytes = 1 + 4 * size_t(width);
    std::vector<uint8_t> rows(rowBytes * size_t(height) + 1);
    uLongf rowsLength = rows.size();
    const int inflated = uncompress(rows.data(), &rowsLength, imageData.data(), imageData.size());
    if (inflated != Z_OK)
        return fail("zlib cannot inflate the image data: " + std::to_string(inflated));
    if (rowsLength != rowBytes * size_t(height)) return fail("wrong amount of image data");
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = &rows[size_t(y) * rowBytes];
        if (row[0] != 0) return fail("row " + std::to_string(y) + " is filtered");
        for (int32_t x = 0; x < width; ++x) {
            const Colour c = picture.colour.At(x, y);
            const uint8_t* p = row + 1 + 4 * x;
            if (p[0] != c.r || p[1] != c.g || p[2] != c.b || p[3] != picture.opacity.At(x, y).r)
                return fail("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") differs");
        }
    }
    return layout;
}

// Writes the picture as the tool does and reads it back with gdk-pixbuf.
std::string ReadBackDifferences(const RgbaPicture& picture) {
    ScratchFolder folder;
    const std::string written = WriteWholeFile("picture.png", EncodePng(picture));
    if (!written.empty()) return "not written: " + written;
    return Differences(picture, ReadPngWithPixbuf(folder.Path() / "picture.png"));
}

} // namespace

TEST(PngFile, SmallPicturesComeBackPixelForPixel) {
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{37, 23}, std::pair{256, 3}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const RgbaPicture picture = Pattern(width, height);
        const Layout layout = CheckLayout(EncodePng(picture), picture);
        EXPECT_EQ(layout.problem, "");
        EXPECT_EQ(layout.storedBlocks, 1);
        EXPECT_EQ(ReadBackDifferences(picture), "");
    }
}

// A stored block holds at most 65535 bytes. 64 pixels a row make 257 bytes, so
// 255 rows fill one block exactly, 256 rows spill one row into a second, 510
// fill two exactly; 300 x 200 needs four.
TEST(PngFile, LargePicturesSpreadOverFullStoredBlocks) {
    struct Case {
        int32_t width;
        int32_t height;
        int32_t blocks;
    };
    for (const Case& c :
         {Case{64, 255, 1}, Case{64, 256, 2}, Case{64, 510, 2}, Case{300, 200, 4}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const RgbaPicture picture = Pattern(c.width, c.height);
        const Layout layout = CheckLayout(EncodePng(picture), picture);
        EXPECT_EQ(layout.problem, "");
        EXPECT_EQ(layout.storedBlocks, c.blocks);
        EXPECT_EQ(ReadBackDifferences(picture), "");
    }
}

TEST(PngFile, RefusesPicturesAPngCannotHold) {
    EXPECT_THROW(EncodePng({Canvas(0, 0, {}), Canvas(0, 0, {})}), std::invalid_argument);
    EXPECT_THROW(EncodePng({Canvas(5, 0, {}), Canvas(5, 0, {})}), std::invalid_argument);
    EXPECT_THROW(EncodePng({Canvas(4, 4, {}), Canvas(4, 3, {})}), std::invalid_argument);
    EXPECT_THROW(EncodePng({Canvas(4, 4, {}), Canvas(3, 4, {})}), std::invalid_argument);
}
