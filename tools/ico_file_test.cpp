// The Windows icon file taken apart by hand: its directory checked against the
// format, each entry read back with gdk-pixbuf as the picture it was made from.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "bmp_file.h"
#include "ico_file.h"
#include "icon.h"
#include "png_read_back.h"
#include "support/scratch_folder.h"

namespace {

uint32_t Little16(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | uint32_t(bytes[at + 1]) << 8;
}

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t at) {
    return Little16(bytes, at) | Little16(bytes, at + 2) << 16;
}

RgbaPicture Blank(int32_t width, int32_t height) {
    return {Canvas(width, height, {}), Canvas(width, height, {})};
}

} // namespace

TEST(IcoFile, DirectoryLeadsToEachSizeOfTheIconInTurn) {
    std::vector<RgbaPicture> pictures;
    for (const int32_t size : windowsIconSizes) pictures.push_back(DrawIcon(size));
    const std::vector<uint8_t> ico = EncodeIco(pictures);
    const size_t directoryBytes = 6 + 16 * pictures.size();
    ASSERT_GE(ico.size(), directoryBytes);
    EXPECT_EQ(Little16(ico, 0), 0u) << "reserved";
    EXPECT_EQ(Little16(ico, 2), 1u) << "type";
    EXPECT_EQ(Little16(ico, 4), pictures.size()) << "count";

    // The images follow the directory in its order, with no gap and nothing after.
    ScratchFolder folder;
    size_t next = directoryBytes;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const int32_t size = pictures[i].colour.Width();
        SCOPED_TRACE(size);
        const size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], size == 256 ? 0 : size) << "width";
        EXPECT_EQ(ico[entry + 1], size == 256 ? 0 : size) << "height";
        EXPECT_EQ(ico[entry + 2], 0) << "colours";
        EXPECT_EQ(ico[entry + 3], 0) << "reserved";
        EXPECT_EQ(Little16(ico, entry + 4), 1u) << "planes";
        EXPECT_EQ(Little16(ico, entry + 6), 32u) << "bits per pixel";
        const uint32_t bytes = Little32(ico, entry + 8);
        const uint32_t offset = Little32(ico, entry + 12);
        EXPECT_EQ(offset, next);
        ASSERT_LE(offset, ico.size());
        ASSERT_LE(bytes, ico.size() - offset);
        const std::vector<uint8_t> image(ico.begin() + offset, ico.begin() + offset + bytes);
        ASSERT_EQ(WriteWholeFile("entry.png", image), "");
        EXPECT_EQ(Differences(pictures[i], ReadPngWithPixbuf(folder.Path() / "entry.png")), "");
        next = offset + bytes;
    }
    EXPECT_EQ(next, ico.size());
}

// Each side has a byte of its own, 0 standing for 256; a side the byte cannot
// give is refused rather than cut down to another size.
TEST(IcoFile, SidesUpTo256EachWay) {
    const std::vector<uint8_t> wide = EncodeIco({Blank(256, 3)});
    EXPECT_EQ(wide[6], 0);
    EXPECT_EQ(wide[7], 3);
    const std::vector<uint8_t> tall = EncodeIco({Blank(5, 256)});
    EXPECT_EQ(tall[6], 5);
    EXPECT_EQ(tall[7], 0);

    EXPECT_THROW(EncodeIco({}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Blank(16, 16), Blank(257, 16)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Blank(16, 257)}), std::invalid_argument);
    EXPECT_THROW(EncodeIco({Blank(16, 16), Blank(0, 0)}), std::invalid_argument);
}
