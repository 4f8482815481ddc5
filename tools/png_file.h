#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// A picture with see-through parts: the colours, and beside them a grey canvas
// of the same size whose red channel is each pixel's opacity, 0 clear to 255
// solid. Shapes filled in white on `opacity` get the same soft edges there as
// on any other canvas.
struct RgbaPicture {
    Canvas colour;
    Canvas opacity;
};

// The picture as a PNG: 8 bits each of red, green, blue and opacity, not
// premultiplied, no interlacing, every row unfiltered. The image data is kept
// in uncompressed deflate blocks, so the bytes depend on the pixels alone and
// never on a compression library's version or settings.
// Throws std::invalid_argument when the two canvases differ in size, are empty,
// or hold more than one PNG chunk can.
std::vector<uint8_t> EncodePng(const RgbaPicture& picture);
