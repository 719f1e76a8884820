#pragma once

#include <cstdint>

#include "platform/system/WinTypes.h"

namespace qel::raster {
class RasterSurface;
}

namespace qel::lcdui {

struct BackendParams {
  int32_t width = 0;
  int32_t height = 0;
  int32_t rotation = 0;  // degrees: 0, 90, 180 or 270
};

struct BackendRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The host's way to the screen: opened on the host window, it hands out a
// surface to draw one frame into between begin and present. While closed,
// every frame operation does nothing and answers false, 0 or null.
class DisplayBackend {
public:
  DisplayBackend() = default;
  DisplayBackend(const DisplayBackend&) = delete;
  DisplayBackend& operator=(const DisplayBackend&) = delete;
  virtual ~DisplayBackend() = default;

  virtual const char16_t* getName() const = 0;
  virtual int32_t width() const = 0;
  virtual int32_t height() const = 0;
  virtual bool open(wce::HWND window, const BackendParams& params) = 0;
  virtual void close() = 0;
  virtual bool setUpdateRect(const BackendRect& rect) = 0;
  virtual bool begin() = 0;
  // Only between a successful begin and present.
  virtual qel::raster::RasterSurface* getSurface() = 0;
  // Ends the frame; the device driver then shows the panel (wce::presentFrame).
  virtual void present() = 0;
};

}  // namespace qel::lcdui
