// Decoding BMP files held in memory: every depth and header kind, the layout
// rules, and broken files.

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "dib_builder.h"
#include "render/bmp_reader.h"

namespace {

struct Decoded {
    DibError error;
    std::unique_ptr<RgbImage, decltype(&FreeRgbImage)> image{nullptr, FreeRgbImage};

    std::vector<uint8_t> Rgb() const {
        const size_t bytes = size_t(image->width) * image->height * 3;
        return {image->pixels, image->pixels + bytes};
    }
};

Decoded Decode(const std::string& bytes) {
    // A copy of exactly the file's size, so that the sanitizer runs see any read
    // past its end (a string may hold spare bytes there).
    const auto file = std::make_unique<uint8_t[]>(bytes.size());
    std::memcpy(file.get(), bytes.data(), bytes.size());
    RgbImage* image = reinterpret_cast<RgbImage*>(1); // must be overwritten
    Decoded result{DecodeDib(file.get(), bytes.size(), &image)};
    result.image.reset(image);
    return result;
}

// A picture whose values use every palette entry and vary in every channel.
TestDib PictureOf(uint16_t bits, uint32_t headerSize, bool fileHeader, int32_t height = 3) {
    TestDib dib{.fileHeader = fileHeader,
                .headerSize = headerSize,
                .width = 5,
                .height = height,
                .bitsPerPixel = bits};
    const uint32_t colours = bits <= 8 ? 1u << bits : 0;
    for (uint32_t i = 0; i < colours; ++i) dib.colours.push_back(0x010203 * i ^ 0x80C040);
    for (int32_t i = 0; i < 5 * std::abs(height); ++i) {
        const uint32_t n = uint32_t(i) * 2654435761u >> 7;
        dib.values.push_back(bits <= 8 ? n % colours : bits == 16 ? n & 0xFFFF : n & 0xFFFFFF);
    }
    return dib;
}

void ExpectDecodesTo(const TestDib& dib) {
    const Decoded decoded = Decode(Encode(dib));
    ASSERT_EQ(decoded.error, DibError::none);
    ASSERT_NE(decoded.image, nullptr);
    EXPECT_EQ(decoded.image->width, dib.width);
    EXPECT_EQ(decoded.image->height, std::abs(dib.height));
    EXPECT_EQ(decoded.Rgb(), ExpectedRgb(dib));
}

void ExpectRejected(const std::string& bytes, DibError error) {
    const Decoded decoded = Decode(bytes);
    EXPECT_EQ(decoded.error, error);
    EXPECT_EQ(decoded.image, nullptr);
}

struct Kind {
    uint16_t bits;
    uint32_t headerSize;
    bool fileHeader;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.bits << " bits, " << kind.headerSize << "-byte header"
         << (kind.fileHeader ? ", file header" : "");
}

class EveryKind : public testing::TestWithParam<Kind> {};

TEST_P(EveryKind, DecodesToPackedRgbBottomRowFirst) {
    ExpectDecodesTo(PictureOf(GetParam().bits, GetParam().headerSize, GetParam().fileHeader));
}

std::vector<Kind> AllKinds() {
    std::vector<Kind> kinds;
    for (uint16_t bits : {1, 4, 8, 16, 24, 32})
        for (uint32_t headerSize : {12u, 40u})
            for (bool fileHeader : {true, false}) kinds.push_back({bits, headerSize, fileHeader});
    return kinds;
}

INSTANTIATE_TEST_SUITE_P(Dib, EveryKind, testing::ValuesIn(AllKinds()),
                         [](const testing::TestParamInfo<Kind>& info) {
                             return std::to_string(info.param.bits) + "bits_" +
                                    std::to_string(info.param.headerSize) + "byteHeader_" +
                                    (info.param.fileHeader ? "file" : "packed");
                         });

TEST(DibLayout, TwentyFourBitRowsDropTheirFillBytes) {
    // 3 x 2 pixels, rows of 9 bytes plus 3 fill bytes, bottom row first.
    std::string file("BM\x4e\0\0\0\0\0\0\0\x36\0\0\0", 14);
    file += std::string("\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0", 16) + std::string(24, '\0');
    file += std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\xAA\xBB\xCC", 12);
    file += std::string("\x11\x12\x13\x14\x15\x16\x17\x18\x19\xAA\xBB\xCC", 12);
    const Decoded decoded = Decode(file);
    ASSERT_EQ(decoded.error, DibError::none);
    EXPECT_EQ(decoded.Rgb(), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 9, 8, 7, 0x13, 0x12, 0x11,
                                                   0x16, 0x15, 0x14, 0x19, 0x18, 0x17}));
}

TEST(DibLayout, TopDownPicturesComeOutBottomRowFirst) {
    for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        ExpectDecodesTo(PictureOf(bits, 40, true, -3));
    }
}

TEST(DibLayout, ColourCountComesFromColoursUsedOrTheDepth) {
    // Colours-used 0 on 8 bits: all 256 entries are there, the last one reachable.
    TestDib full = PictureOf(8, 40, false);
    full.values = {255, 0, 254, 1, 128, 3, 255, 7, 9, 200, 100, 50, 25, 12, 6};
    ExpectDecodesTo(full);

    // Five colours on 4 bits: a packed file's pixels start 40 + 5 x 4 bytes in.
    TestDib five = PictureOf(4, 40, false);
    five.coloursUsed = 5;
    five.colours.resize(5);
    for (uint32_t& v : five.values) v %= 5;
    ExpectDecodesTo(five);
    EXPECT_EQ(Encode(five).size(), 40 + 20 + 3 * 4u);

    // A non-zero colours-used counts by its low 16 bits alone: 0x10005 is five
    // entries, and 0x10000 is none at all (not the depth's default), so that
    // every index lies beyond the table.
    for (uint16_t bits : {4, 8}) {
        for (bool fileHeader : {true, false}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, file header " << fileHeader);
            TestDib wide = PictureOf(bits, 40, fileHeader);
            wide.coloursUsed = 0x10005;
            wide.colours.resize(5);
            for (uint32_t& v : wide.values) v %= 5;
            ExpectDecodesTo(wide);

            TestDib none = PictureOf(bits, 40, fileHeader);
            none.coloursUsed = 0x10000;
            ExpectRejected(Encode(none), DibError::conversion);
        }
    }

    // A 12-byte header on 8 bits: the pixels follow 256 three-byte entries.
    TestDib core = PictureOf(8, 12, false);
    ASSERT_EQ(Encode(core).size(), 12 + 256 * 3 + 3 * 8u);
    ExpectDecodesTo(core);
}

TEST(DibLayout, FileHeaderOffsetLocatesThePixels) {
    TestDib dib = PictureOf(24, 40, true);
    std::string file = Encode(dib);
    file.insert(54, "gap!");
    std::memcpy(&file[10], "\x3a\0\0\0", 4); // 58
    const Decoded decoded = Decode(file);
    ASSERT_EQ(decoded.error, DibError::none);
    EXPECT_EQ(decoded.Rgb(), ExpectedRgb(dib));
}

TEST(DibLayout, SixteenBitChannelsWidenToFullRange) {
    TestDib dib{.width = 4, .bitsPerPixel = 16, .values = {0x7FFF, 0x8000, 0x0421, 0x7C00}};
    const Decoded decoded = Decode(Encode(dib));
    ASSERT_EQ(decoded.error, DibError::none);
    EXPECT_EQ(decoded.Rgb(), (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 8, 8, 8, 255, 0, 0}));
}

TEST(DibLayout, LastRowMayLackItsFillBytes) {
    TestDib dib = PictureOf(24, 40, true);
    std::string file = Encode(dib);
    file.resize(file.size() - 1); // 5 x 3 = 15 bytes of pixels, one fill byte
    const Decoded decoded = Decode(file);
    ASSERT_EQ(decoded.error, DibError::none);
    EXPECT_EQ(decoded.Rgb(), ExpectedRgb(dib));
}

TEST(BrokenDib, TruncatedAtEverySectionIsRejected) {
    const std::string file = Encode(PictureOf(8, 40, true));
    const size_t tableStart = 14 + 40, pixelStart = tableStart + 256 * 4;
    const size_t complete = pixelStart + 2 * 8 + 5; // the last row without its fill
    for (size_t length = 0; length < complete; ++length) {
        SCOPED_TRACE("cut to " + std::to_string(length) + " bytes");
        ExpectRejected(file.substr(0, length),
                       length < tableStart ? DibError::unknownFormat : DibError::conversion);
    }
    EXPECT_EQ(Decode(file.substr(0, complete)).error, DibError::none);
}

TEST(BrokenDib, HeadersOfOtherSizesAreUnknown) {
    for (uint32_t size : {0u, 11u, 13u, 39u, 56u, 64u, 108u, 124u, 0xFFFFFFFFu}) {
        TestDib dib = PictureOf(24, 40, true);
        dib.headerSize = size;
        SCOPED_TRACE(size);
        ExpectRejected(Encode(dib), DibError::unknownFormat);
    }
}

TEST(BrokenDib, AbsurdOrEmptySidesAreRefusedBeforeAllocating) {
    const std::pair<int32_t, int32_t> sides[] = {
        {16385, 1}, {1, 16385}, {1, -16385},    {10000, 10000}, {0, 4},
        {4, 0},     {-4, 4},    {INT32_MIN, 1}, {1, INT32_MIN}, {INT32_MAX, INT32_MAX}};
    for (auto [width, height] : sides) {
        TestDib dib = PictureOf(24, 40, true);
        dib.width = width;
        dib.height = height;
        dib.values.clear(); // header only: the sides alone must stop it
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        ExpectRejected(Encode(dib), DibError::conversion);
    }
}

TEST(BrokenDib, UnsupportedEncodingsAreConversionErrors) {
    TestDib runLength = PictureOf(8, 40, true);
    runLength.compression = 1;
    ExpectRejected(Encode(runLength), DibError::conversion);
    TestDib bitFields = PictureOf(32, 40, true);
    bitFields.compression = 3;
    ExpectRejected(Encode(bitFields), DibError::conversion);
    for (uint16_t bits : {0, 2, 15, 48}) {
        TestDib odd = PictureOf(24, 40, true);
        odd.bitsPerPixel = bits;
        SCOPED_TRACE(bits);
        ExpectRejected(Encode(odd), DibError::conversion);
    }
}

TEST(BrokenDib, PixelOffsetsOutsideTheFileAreRejected) {
    for (uint32_t offset : {0x100u, 0xFFFFu, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        TestDib dib = PictureOf(24, 40, true);
        dib.pixelOffset = offset;
        SCOPED_TRACE(offset);
        ExpectRejected(Encode(dib), DibError::conversion);
    }
}

TEST(BrokenDib, IndicesBeyondTheColourTableAreRejected) {
    TestDib fourColours = PictureOf(8, 40, true);
    fourColours.coloursUsed = 4;
    fourColours.colours.resize(4);
    for (uint32_t& v : fourColours.values) v %= 4;
    ExpectDecodesTo(fourColours);
    fourColours.values.back() = 4; // the last pixel of the top row
    ExpectRejected(Encode(fourColours), DibError::conversion);

    TestDib oneColour = PictureOf(1, 40, false);
    oneColour.coloursUsed = 1;
    oneColour.colours.resize(1);
    for (uint32_t& v : oneColour.values) v = 0;
    ExpectDecodesTo(oneColour);
    oneColour.values[7] = 1;
    ExpectRejected(Encode(oneColour), DibError::conversion);
}

// A colour table the file ends inside of is refused even where the pixels lie
// elsewhere (the file header may point anywhere): here the one pixel is the
// table's first byte, 3, the index of the entry the file has lost. Nothing is
// read past the file's end, which the sanitizer runs would see.
TEST(BrokenDib, AColourTableCutShortIsRejected) {
    const TestDib dib{.width = 1,
                      .height = 1,
                      .bitsPerPixel = 8,
                      .coloursUsed = 4,
                      .colours = {0x000003, 0x111111, 0x222222, 0x333333},
                      .values = {3},
                      .pixelOffset = 14 + 40};
    ExpectDecodesTo(dib);
    const std::string whole = Encode(dib);
    const size_t tableEnd = 14 + 40 + 4 * 4;
    for (size_t lost : {1u, 4u}) {
        SCOPED_TRACE(std::to_string(lost) + " bytes of the last entry lost");
        ExpectRejected(whole.substr(0, tableEnd - lost), DibError::conversion);
    }
}

TEST(DibErrors, EachHasItsReport) {
    EXPECT_STREQ(DibErrorText(DibError::unknownFormat), "Unknown DIB file format.");
    EXPECT_STREQ(DibErrorText(DibError::conversion), "Image file conversion error.");
    EXPECT_STREQ(DibErrorText(DibError::outOfMemory), "Out of memory.");
}

} // namespace
