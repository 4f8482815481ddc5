#pragma once

#include <cstdint>
#include <vector>

// The BMP and icon formats write their numbers little-endian.
inline void PutLittle16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

inline void PutLittle32(std::vector<uint8_t>& out, uint32_t value) {
    PutLittle16(out, value & 0xffff);
    PutLittle16(out, value >> 16);
}
