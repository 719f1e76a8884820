#pragma once

#include <cstdint>
#include <cstring>

namespace qel::raster {

// Unaligned-safe pixel loads and stores; they compile to plain moves.
template <typename T>
inline T loadPixel(const uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
}

template <typename T>
inline void storePixel(uint8_t* at, T value) {
    std::memcpy(at, &value, sizeof(T));
}

// An RGB565 destination blended with 8-bit source channels at opacity a:
// each channel sum is (255 - a) * d8 + a * c8, truncated to 5/6/5 bits.
inline uint16_t blend565(uint32_t d, uint32_t r8, uint32_t g8, uint32_t b8, uint32_t a) {
    const uint32_t na = 255 - a;
    const uint32_t sumR = na * ((d >> 11) << 3) + a * r8;
    const uint32_t sumG = na * (((d >> 5) & 0x3F) << 2) + a * g8;
    const uint32_t sumB = na * ((d & 0x1F) << 3) + a * b8;
    return static_cast<uint16_t>((sumR & 0xF800) | ((sumG >> 5) & 0x7E0) | ((sumB >> 11) & 0x1F));
}

// An RGB565 source blended onto an RGB565 destination.
inline uint16_t blend565With565(uint32_t d, uint32_t p, uint32_t a) {
    return blend565(d, (p >> 11) << 3, ((p >> 5) & 0x3F) << 2, (p & 0x1F) << 3, a);
}

inline uint16_t argbTo565(uint32_t p) {
    return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x7E0) | ((p & 0xFF) >> 3));
}

inline uint32_t rgb565ToArgb(uint32_t p) {
    return 0xFF000000u | ((p >> 11) << 19) | (((p >> 5) & 0x3F) << 10) | ((p & 0x1F) << 3);
}

}  // namespace qel::raster
