#include "png_file.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace {

// A stored deflate block holds at most this many bytes; its length is 16 bits.
constexpr size_t storedBlockBytes = 65535;
// The largest length a PNG chunk may give.
constexpr size_t chunkBytes = 0x7fffffff;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> crcTable = MakeCrcTable();

// The CRC-32 every PNG chunk ends with, over its type and data.
uint32_t Crc32(const uint8_t* data, size_t count) {
    uint32_t c = 0xffffffffu;
    for (size_t i = 0; i < count; ++i) c = crcTable[(c ^ data[i]) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

// The zlib stream's check value over the uncompressed bytes.
uint32_t Adler32(const std::vector<uint8_t>& data) {
    constexpr uint32_t modulus = 65521;
    uint32_t a = 1;
    uint32_t b = 0;
    for (const uint8_t byte : data) {
        a = (a + byte) % modulus;
        b = (b + a) % modulus;
    }
    return b << 16 | a;
}

// PNG numbers are big-endian; the lengths inside a deflate block are not.
void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void PutLittle16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
    PutBig32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// Each row: filter type 0 (none), then red, green, blue, opacity per pixel.
std::vector<uint8_t> Scanlines(const RgbaPicture& picture) {
    const int32_t width = picture.colour.Width();
    const int32_t height = picture.colour.Height();
    std::vector<uint8_t> rows;
    rows.reserve(size_t(height) * (1 + 4 * size_t(width)));
    for (int32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        for (int32_t x = 0; x < width; ++x) {
            const Colour c = picture.colour.At(x, y);
            rows.push_back(uint8_t(c.r));
            rows.push_back(uint8_t(c.g));
            rows.push_back(uint8_t(c.b));
            rows.push_back(uint8_t(picture.opacity.At(x, y).r));
        }
    }
    return rows;
}

// A zlib stream of stored blocks: no compression, the same bytes everywhere.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    const size_t blocks =
        std::max<size_t>(1, (data.size() + storedBlockBytes - 1) / storedBlockBytes);
    out.reserve(2 + 5 * blocks + data.size() + 4);
    // Deflate with a 32 KiB window, no preset dictionary; 0x7801 is a multiple of 31.
    out.push_back(0x78);
    out.push_back(0x01);
    size_t start = 0;
    do {
        const size_t count = std::min(storedBlockBytes, data.size() - start);
        const bool last = start + count == data.size();
        // BFINAL, then BTYPE 00 (stored); the rest of the byte is padding.
        out.push_back(last ? 1 : 0);
        PutLittle16(out, uint32_t(count));
        PutLittle16(out, uint32_t(~count & 0xffff));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(start),
                   data.begin() + std::ptrdiff_t(start + count));
        start += count;
    } while (start < data.size());
    PutBig32(out, Adler32(data));
    return out;
}

} // namespace

std::vector<uint8_t> EncodePng(const RgbaPicture& picture) {
    const int32_t width = picture.colour.Width();
    const int32_t height = picture.colour.Height();
    if (width <= 0 || height <= 0) throw std::invalid_argument("a PNG needs at least one pixel");
    if (picture.opacity.Width() != width || picture.opacity.Height() != height)
        throw std::invalid_argument("the opacity is not the size of the picture");
    // The image data goes in one IDAT chunk: the rows, 5 bytes before each
    // stored block and 6 around them all.
    const size_t rowBytes = 1 + 4 * size_t(width);
    const bool fits = size_t(height) <= chunkBytes / rowBytes && [&] {
        const size_t bytes = rowBytes * size_t(height);
        return bytes + 5 * ((bytes + storedBlockBytes - 1) / storedBlockBytes) + 6 <= chunkBytes;
    }();
    if (!fits) throw std::invalid_argument("the picture is too large for one PNG chunk");

    std::vector<uint8_t> header;
    PutBig32(header, uint32_t(width));
    PutBig32(header, uint32_t(height));
    header.push_back(8); // bits per sample
    header.push_back(6); // colour type: red, green, blue, opacity
    header.push_back(0); // compression: deflate
    header.push_back(0); // filtering: adaptive, with types chosen per row
    header.push_back(0); // no interlacing

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoredZlib(Scanlines(picture)));
    PutChunk(out, "IEND", {});
    return out;
}
