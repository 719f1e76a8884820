#pragma once
// The display driver's escapes, as far as the device profile has them.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace wce {

inline constexpr int QUERYESCSUPPORT = 8;
inline constexpr int GETGXINFO = 0x20000;
inline constexpr int GETRAWFRAMEBUFFER = 0x20001;

inline constexpr std::uint16_t FORMAT_565 = 1;

// GETRAWFRAMEBUFFER: the screen at the current orientation over the panel.
struct RawFrameBufferInfo {
  std::uint16_t format = 0;
  std::uint16_t bitsPerPixel = 0;
  void* framePointer = nullptr;
  std::int32_t xStride = 0;  // bytes to the next pixel of a row
  std::int32_t yStride = 0;  // bytes to the next row
  std::int32_t width = 0;
  std::int32_t height = 0;
};

inline constexpr std::uint32_t GX_INFO_VERSION = 100;
inline constexpr std::uint32_t GX_FORMAT_LANDSCAPE = 0x08;
inline constexpr std::uint32_t GX_FORMAT_DIRECT = 0x20;
inline constexpr std::uint32_t GX_FORMAT_DIRECT565 = 0x80;

// GETGXINFO: the native panel. The caller sets version to GX_INFO_VERSION.
// A panel wider than tall is reported turned (width and height exchanged)
// with GX_FORMAT_LANDSCAPE set.
struct GxDeviceInfo {
  std::uint32_t version = 0;
  void* frameBuffer = nullptr;
  std::uint32_t stride = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t format = 0;
};

// QUERYESCSUPPORT takes the escape number (4 bytes) as input and answers 1
// when the device has it. The frame-buffer escapes answer 1 and fill the
// record given as output (-1 when it is too small or, for GETGXINFO, its
// version is not GX_INFO_VERSION); an escape the device lacks answers 0.
// Handing out the panel marks the screen as changed for good.
int ExtEscape(HDC dc, int escape, int inputSize, const void* input, int outputSize, void* output);

}  // namespace wce
