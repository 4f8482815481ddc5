#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "png_file.h"

// For the tests: PNG files as another program reads them, with gdk-pixbuf's
// loader, to compare with what was drawn.

struct ReadBack {
    std::string error; // empty when the file was read
    int32_t width = 0;
    int32_t height = 0;
    bool hasOpacity = false;
    // Red, green, blue, opacity for each pixel, the top row first.
    std::vector<uint8_t> rgba;
};

ReadBack ReadPngWithPixbuf(const std::filesystem::path& path);

// The first few pixels where `read` differs from `drawn` and how many differ in
// all, or an empty string when every colour and opacity match.
std::string Differences(const RgbaPicture& drawn, const ReadBack& read);
