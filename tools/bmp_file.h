#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas.h"

// The picture as an uncompressed 24-bit BMP: bottom row first, each pixel blue,
// green, red, each row padded to a multiple of 4 bytes.
std::vector<uint8_t> EncodeBmp(const Canvas& picture);

// Writes the bytes to a temporary file beside path and renames it over path, so
// that a failed write never leaves a partial picture under the real name.
// Returns the reason on failure, an empty string on success.
std::string WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
