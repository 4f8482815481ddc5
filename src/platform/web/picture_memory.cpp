#include <cstdlib>

#include "platform/memory.h"

void* AllocatePictureMemory(size_t bytes) { return std::malloc(bytes); }
