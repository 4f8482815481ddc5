#include "dib_builder.h"

#include <cstdlib>

namespace {

void Put16(std::string& out, uint32_t value) {
    out += char(value & 0xFF);
    out += char(value >> 8 & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string PackRow(const TestDib& dib, const uint32_t* values) {
    std::string row;
    const int bits = dib.bitsPerPixel;
    if (bits < 8) {
        uint32_t byte = 0;
        int used = 0;
        for (int32_t x = 0; x < dib.width; ++x) {
            byte = byte << bits | values[x];
            used += bits;
            if (used == 8) {
                row += char(byte);
                byte = used = 0;
            }
        }
        if (used > 0) row += char(byte << (8 - used));
    } else {
        for (int32_t x = 0; x < dib.width; ++x) {
            const uint32_t v = values[x];
            if (bits == 8) row += char(v);
            if (bits == 16) Put16(row, v);
            if (bits >= 24) row += {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16)};
            if (bits == 32) row += char(0x7F); // the unused fourth byte
        }
    }
    while (row.size() % 4 != 0) row += char(0xEE); // fill bytes the reader must skip
    return row;
}

} // namespace

std::string Encode(const TestDib& dib) {
    std::string header;
    Put32(header, dib.headerSize);
    if (dib.headerSize == 12) {
        Put16(header, uint32_t(dib.width));
        Put16(header, uint32_t(dib.height));
        Put16(header, 1);
        Put16(header, dib.bitsPerPixel);
    } else {
        Put32(header, uint32_t(dib.width));
        Put32(header, uint32_t(dib.height));
        Put16(header, 1);
        Put16(header, dib.bitsPerPixel);
        Put32(header, dib.compression);
        Put32(header, 0);
        Put32(header, 3780);
        Put32(header, 3780);
        Put32(header, dib.coloursUsed);
        Put32(header, 0);
    }
    for (uint32_t colour : dib.colours) {
        header += {char(colour & 0xFF), char(colour >> 8 & 0xFF), char(colour >> 16)};
        if (dib.headerSize != 12) header += '\0';
    }

    std::string pixels;
    if (dib.width > 0)
        for (size_t start = 0; start + size_t(dib.width) <= dib.values.size(); start += dib.width)
            pixels += PackRow(dib, dib.values.data() + start);

    if (!dib.fileHeader) return header + pixels;
    std::string file = "BM";
    Put32(file, uint32_t(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, dib.pixelOffset.value_or(uint32_t(14 + header.size())));
    return file + header + pixels;
}

std::vector<uint8_t> ExpectedRgb(const TestDib& dib) {
    const int32_t rows = std::abs(dib.height);
    std::vector<uint8_t> rgb;
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t stored = dib.height < 0 ? rows - 1 - r : r;
        for (int32_t x = 0; x < dib.width; ++x) {
            uint32_t v = dib.values[size_t(stored) * dib.width + x];
            if (dib.bitsPerPixel <= 8) v = dib.colours[v];
            if (dib.bitsPerPixel == 16) {
                auto widen = [](uint32_t five) { return five << 3 | five >> 2; };
                v = widen(v >> 10 & 31) << 16 | widen(v >> 5 & 31) << 8 | widen(v & 31);
            }
            rgb.insert(rgb.end(), {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
        }
    }
    return rgb;
}
