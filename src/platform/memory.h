#pragma once

#include <cstddef>

// Memory for a picture's pixels, released with std::free; null when there is
// none. The system may place a large buffer where it can be backed by huge pages.
void* AllocatePictureMemory(size_t bytes);
