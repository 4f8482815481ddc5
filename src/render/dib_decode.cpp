// Decoding of device-independent bitmaps held in memory into packed RGB.

#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/memory.h"
#include "render/bmp_reader.h"

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t coreHeaderSize = 12;
constexpr uint32_t infoHeaderSize = 40;

// Pictures beyond these sides or this many bytes of RGB are refused before any
// allocation: no game picture comes near them, and a hostile header cannot make
// us ask for gigabytes.
constexpr int64_t maxSide = 16384;
constexpr int64_t maxPixelBytes = int64_t{256} << 20;

uint16_t Read16(const uint8_t* at) { return uint16_t(at[0] | at[1] << 8); }
uint32_t Read32(const uint8_t* at) { return uint32_t(Read16(at)) | uint32_t(Read16(at + 2)) << 16; }

// What the headers say, once read and checked against the file's length.
struct DibLayout {
    int64_t width;
    int64_t height; // always positive here
    bool topDown;   // the first stored row is the top of the picture
    uint16_t bitsPerPixel;
    const uint8_t* colourTable;
    size_t colourEntrySize; // 3 after a 12-byte header, 4 after a 40-byte one
    uint32_t colourCount;
    const uint8_t* pixelData;
    size_t storedRowBytes; // a row rounded up to a multiple of 4 bytes
};

DibError ReadLayout(const uint8_t* data, size_t size, DibLayout& layout) {
    // A "BM" file header gives the offset of the pixels; a packed bitmap starts
    // straight with the information header and its pixels follow the colours.
    const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const size_t headerStart = hasFileHeader ? fileHeaderSize : 0;
    if (size < headerStart + 4) return DibError::unknownFormat;
    const uint8_t* header = data + headerStart;
    const uint32_t headerSize = Read32(header);
    if (headerSize != coreHeaderSize && headerSize != infoHeaderSize)
        return DibError::unknownFormat;
    if (size - headerStart < headerSize) return DibError::unknownFormat;

    // The depth's default number of colours, unless a 40-byte header says how
    // many it has; only the low 16 bits of that count, so a non-zero field can
    // still mean none.
    bool countGiven = false;
    uint32_t colourCount = 0;
    if (headerSize == coreHeaderSize) {
        layout.width = Read16(header + 4);
        layout.height = Read16(header + 6);
        layout.bitsPerPixel = Read16(header + 10);
        layout.colourEntrySize = 3;
    } else {
        layout.width = int32_t(Read32(header + 4));
        layout.height = int32_t(Read32(header + 8));
        layout.bitsPerPixel = Read16(header + 14);
        layout.colourEntrySize = 4;
        // Run-length and bit-field pictures are not decoded.
        if (Read32(header + 16) != 0) return DibError::conversion;
        const uint32_t coloursUsed = Read32(header + 32);
        countGiven = coloursUsed != 0;
        colourCount = coloursUsed & 0xFFFF;
    }
    if (!countGiven) {
        switch (layout.bitsPerPixel) {
        case 1:
            colourCount = 2;
            break;
        case 4:
            colourCount = 16;
            break;
        case 8:
            colourCount = 256;
            break;
        default:
            break;
        }
    }
    layout.colourCount = colourCount;

    layout.topDown = layout.height < 0;
    if (layout.topDown) layout.height = -layout.height;
    if (layout.width <= 0 || layout.height <= 0 || layout.width > maxSide ||
        layout.height > maxSide || layout.width * layout.height * 3 > maxPixelBytes)
        return DibError::conversion;

    switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return DibError::conversion;
    }

    const size_t tableStart = headerStart + headerSize;
    const size_t tableBytes = size_t{colourCount} * layout.colourEntrySize;
    layout.colourTable = data + tableStart;
    if (layout.bitsPerPixel <= 8 && size - tableStart < tableBytes) return DibError::conversion;

    const size_t pixelStart = hasFileHeader ? Read32(data + 10) : tableStart + tableBytes;
    const size_t rowBits = size_t(layout.width) * layout.bitsPerPixel;
    layout.storedRowBytes = (rowBits + 31) / 32 * 4;
    // The last row may go without its fill bytes; every pixel must be there.
    const size_t pixelBytes = layout.storedRowBytes * size_t(layout.height - 1) + (rowBits + 7) / 8;
    if (pixelStart > size || size - pixelStart < pixelBytes) return DibError::conversion;
    layout.pixelData = data + pixelStart;
    return DibError::none;
}

// The colour table as one little-endian word per possible index: red, green and
// blue in the low three bytes, and in the top byte a flag for indices beyond the
// table. Looking up and storing a pixel is then one load and one store, and a
// row is checked once, by the flags gathered over it.
static_assert(std::endian::native == std::endian::little);
constexpr uint32_t outsideTable = 1u << 24;
using Palette = uint32_t[256];

void ReadPalette(const DibLayout& layout, Palette& palette) {
    for (uint32_t i = 0; i < 256; ++i) {
        palette[i] = outsideTable;
        if (i >= layout.colourCount) continue;
        const uint8_t* entry = layout.colourTable + i * layout.colourEntrySize;
        palette[i] = entry[2] | entry[1] << 8 | entry[0] << 16;
    }
}

// Converts one stored row of palette indices into width RGB pixels; false for an
// index beyond the colour table. Each pixel is stored as a whole word whose
// fourth byte the next pixel overwrites; the last one as three bytes.
template <typename IndexAt>
bool ConvertIndexedRow(uint8_t* out, int64_t width, const Palette& palette, IndexAt indexAt) {
    uint32_t flags = 0;
    const int64_t last = width - 1;
    for (int64_t x = 0; x < last; ++x) {
        const uint32_t rgb = palette[indexAt(x)];
        flags |= rgb;
        std::memcpy(out + x * 3, &rgb, 4);
    }
    const uint32_t rgb = palette[indexAt(last)];
    flags |= rgb;
    std::memcpy(out + last * 3, &rgb, 3);
    return (flags & outsideTable) == 0;
}

bool ConvertRowIndexed(const uint8_t* in, uint8_t* out, int64_t width, int bits,
                       const Palette& palette) {
    if (bits == 8) return ConvertIndexedRow(out, width, palette, [in](int64_t x) { return in[x]; });
    // Smaller indices are packed into bytes, the leftmost pixel in the high bits.
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    return ConvertIndexedRow(out, width, palette, [=](int64_t x) {
        const int shift = 8 - bits * (1 + int(x % perByte));
        return (in[x / perByte] >> shift) & mask;
    });
}

void ConvertRow24(const uint8_t* in, uint8_t* out, int64_t width) {
    for (int64_t x = 0; x < width; ++x) {
        out[x * 3] = in[x * 3 + 2];
        out[x * 3 + 1] = in[x * 3 + 1];
        out[x * 3 + 2] = in[x * 3];
    }
}

void ConvertRow32(const uint8_t* in, uint8_t* out, int64_t width) {
    for (int64_t x = 0; x < width; ++x) {
        out[x * 3] = in[x * 4 + 2];
        out[x * 3 + 1] = in[x * 4 + 1];
        out[x * 3 + 2] = in[x * 4];
    }
}

// 5 bits each of red, green and blue, the top bit unused; each channel is
// widened to 8 bits so that full intensity stays full.
void ConvertRow16(const uint8_t* in, uint8_t* out, int64_t width) {
    for (int64_t x = 0; x < width; ++x) {
        const unsigned value = Read16(in + x * 2);
        const unsigned channels[3] = {(value >> 10) & 31, (value >> 5) & 31, value & 31};
        for (int c = 0; c < 3; ++c) out[x * 3 + c] = uint8_t(channels[c] << 3 | channels[c] >> 2);
    }
}

bool ConvertPixels(const DibLayout& layout, uint8_t* pixels) {
    Palette palette;
    if (layout.bitsPerPixel <= 8) ReadPalette(layout, palette);
    const size_t outRowBytes = size_t(layout.width) * 3;
    for (int64_t row = 0; row < layout.height; ++row) {
        const uint8_t* in = layout.pixelData + size_t(row) * layout.storedRowBytes;
        // Top-down pictures are turned so that, like all others, they come out
        // bottom row first.
        const int64_t outRow = layout.topDown ? layout.height - 1 - row : row;
        uint8_t* out = pixels + size_t(outRow) * outRowBytes;
        switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
            if (!ConvertRowIndexed(in, out, layout.width, layout.bitsPerPixel, palette))
                return false;
            break;
        case 16:
            ConvertRow16(in, out, layout.width);
            break;
        case 24:
            ConvertRow24(in, out, layout.width);
            break;
        case 32:
            ConvertRow32(in, out, layout.width);
            break;
        }
    }
    return true;
}

} // namespace

void FreeRgbImage(RgbImage* image) {
    if (!image) return;
    std::free(image->pixels);
    std::free(image);
}

const char* DibErrorText(DibError error) {
    switch (error) {
    case DibError::none:
        break;
    case DibError::unknownFormat:
        return "Unknown DIB file format.";
    case DibError::conversion:
        return "Image file conversion error.";
    case DibError::outOfMemory:
        return "Out of memory.";
    }
    return "";
}

DibError DecodeDib(const uint8_t* data, size_t size, RgbImage** image) {
    *image = nullptr;
    DibLayout layout{};
    if (const DibError error = ReadLayout(data, size, layout); error != DibError::none)
        return error;

    const size_t pixelBytes = size_t(layout.width * layout.height * 3);
    auto* pixels = static_cast<uint8_t*>(AllocatePictureMemory(pixelBytes));
    if (!pixels) return DibError::outOfMemory;
    if (!ConvertPixels(layout, pixels)) {
        std::free(pixels);
        return DibError::conversion;
    }
    auto* result = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (!result) {
        std::free(pixels);
        return DibError::outOfMemory;
    }
    *result = RgbImage{int32_t(layout.width), int32_t(layout.height), pixels};
    *image = result;
    return DibError::none;
}
