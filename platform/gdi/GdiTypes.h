#pragma once
// Handles, records and constants of the GDI calls.

#include <cstdint>

#include "platform/window/WindowTypes.h"

namespace wce {

struct DeviceContext;
using HDC = DeviceContext*;
using HGDIOBJ = GdiObject*;
using HBITMAP = GdiObject*;

inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;

inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

struct BitmapInfoHeader {
  std::uint32_t size = sizeof(BitmapInfoHeader);
  std::int32_t width = 0;
  // Negative: rows top-down.
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = BI_RGB;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;
};

// With BI_BITFIELDS the three masks (red, green, blue) follow the header.
struct BitmapInfo {
  BitmapInfoHeader header;
  std::uint32_t masks[3] = {0, 0, 0};

  // A top-down RGB565 picture of the size, the panel's own format.
  static BitmapInfo topDownRgb565(std::int32_t width, std::int32_t height) {
    BitmapInfo info;
    info.header.width = width;
    info.header.height = -height;
    info.header.bitCount = 16;
    info.header.compression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    return info;
  }
};

// What GetObjectW tells of a bitmap.
struct BITMAP {
  std::int32_t bmType = 0;
  std::int32_t bmWidth = 0;
  std::int32_t bmHeight = 0;
  std::int32_t bmWidthBytes = 0;
  std::uint16_t bmPlanes = 1;
  std::uint16_t bmBitsPixel = 0;
  void* bmBits = nullptr;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool erase = false;
  RECT paint;
};

}  // namespace wce
