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
// each channel sum is (255 - a) * d8 + a * c8, truncated to 5/6/5 bits. The
// sums never exceed 255 * 255, so 16-bit lanes hold them.
inline uint16_t blend565(uint16_t d, uint16_t r8, uint16_t g8, uint16_t b8, uint16_t a) {
  const uint16_t na = static_cast<uint16_t>(255 - a);
  const uint16_t sumR = static_cast<uint16_t>(na * static_cast<uint16_t>((d >> 11) << 3) + a * r8);
  const uint16_t sumG = static_cast<uint16_t>(na * static_cast<uint16_t>(((d >> 5) & 0x3F) << 2) + a * g8);
  const uint16_t sumB = static_cast<uint16_t>(na * static_cast<uint16_t>((d & 0x1F) << 3) + a * b8);
  return static_cast<uint16_t>((sumR & 0xF800) | ((sumG >> 5) & 0x7E0) | (sumB >> 11));
}

// An RGB565 source blended onto an RGB565 destination.
inline uint16_t blend565With565(uint16_t d, uint16_t p, uint16_t a) {
  return blend565(d,
                  static_cast<uint16_t>((p >> 11) << 3),
                  static_cast<uint16_t>(((p >> 5) & 0x3F) << 2),
                  static_cast<uint16_t>((p & 0x1F) << 3),
                  a);
}

// An ARGB8888 source's colour blended onto an RGB565 destination.
inline uint16_t blend565WithArgb(uint16_t d, uint32_t p, uint16_t a) {
  return blend565(d,
                  static_cast<uint16_t>((p >> 16) & 0xFF),
                  static_cast<uint16_t>((p >> 8) & 0xFF),
                  static_cast<uint16_t>(p & 0xFF),
                  a);
}

inline uint16_t argbTo565(uint32_t p) {
  return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x7E0) | ((p & 0xFF) >> 3));
}

inline uint32_t rgb565ToArgb(uint32_t p) {
  return 0xFF000000u | ((p >> 11) << 19) | (((p >> 5) & 0x3F) << 10) | ((p & 0x1F) << 3);
}

}  // namespace qel::raster
