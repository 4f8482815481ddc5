#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Writes BMP files of every kind the reader meets, so tests can state a picture
// by its pixel values rather than by bytes.
struct TestDib {
    bool fileHeader = true;
    uint32_t headerSize = 40; // 12 or 40; other sizes write a 40-byte body
    int32_t width = 1;
    int32_t height = 1; // negative: rows stored top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> colours{}; // the colour table as 0xRRGGBB, written as given
    // width x |height| values in stored order: a palette index, a raw 16-bit word,
    // or 0xRRGGBB for 24 and 32 bits.
    std::vector<uint32_t> values{};
    std::optional<uint32_t> pixelOffset{}; // the file header's offset, if not the natural one
};

std::string Encode(const TestDib& dib);

// Packed RGB as the reader should produce it: bottom row first.
std::vector<uint8_t> ExpectedRgb(const TestDib& dib);
