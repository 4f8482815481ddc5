#pragma once

#include <cstdint>

// The computer's only source of chance: a 32-bit linear congruential generator.
// The same seed always gives the same moves.
void SeedRandom(uint32_t seed);

// Advances the generator and returns 0..32767.
int32_t NextRandom();
