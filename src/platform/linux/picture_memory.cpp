#include <sys/mman.h>

#include <cstdlib>

#include "platform/memory.h"

// Large pictures get memory on huge-page boundaries and ask for huge pages:
// filling tens of megabytes page by page costs more in page faults than the
// conversion itself. Either way the buffer is freed with free().
void* AllocatePictureMemory(size_t bytes) {
    constexpr size_t hugePage = size_t{2} << 20;
    if (bytes < hugePage) return std::malloc(bytes);
    const size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
    void* pixels = std::aligned_alloc(hugePage, rounded);
    if (pixels) madvise(pixels, rounded, MADV_HUGEPAGE);
    return pixels;
}
