#pragma once

#include <cstdint>
#include <vector>

#include "png_file.h"

// The pictures as one Windows icon file: the icon directory, an entry for each
// picture in the order given, then each picture as EncodePng writes it. Every
// entry claims 32 bits per pixel on one plane; a side of 256 is written as 0,
// as the format has it. PNG entries are read by Windows Vista and later.
// Throws std::invalid_argument when there are no pictures or more than the
// directory can count, when a picture is wider or taller than 256 pixels, or
// when EncodePng refuses one.
std::vector<uint8_t> EncodeIco(const std::vector<RgbaPicture>& pictures);
