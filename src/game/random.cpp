#include "game/random.h"

namespace {
uint32_t randomState = 0;
}

void SeedRandom(uint32_t seed) { randomState = seed; }

int32_t NextRandom() {
    randomState = randomState * 214013u + 2531011u; // wraps modulo 2^32
    return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}
