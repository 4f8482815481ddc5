// Feeds arbitrary bytes to the BMP decoder. Besides the sanitizers' checks, a
// decoded picture must be as large as it says and no larger than the limits.

#include <cstdlib>

#include "render/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage* image = nullptr;
    const DibError error = DecodeDib(data, size, &image);
    if ((error == DibError::none) != (image != nullptr)) std::abort();
    if (image) {
        if (image->width <= 0 || image->height <= 0 || image->width > 16384 ||
            image->height > 16384)
            std::abort();
        // Touch every byte, so a short buffer shows up under AddressSanitizer.
        const size_t bytes = size_t(image->width) * size_t(image->height) * 3;
        volatile uint8_t sum = 0;
        for (size_t i = 0; i < bytes; ++i) sum = sum + image->pixels[i];
        FreeRgbImage(image);
    }
    return 0;
}
