#pragma once

#include <memory>

#include "microedition/backend/DisplayBackend.h"
#include "platform/gdi/GdiTypes.h"

namespace qel::lcdui {

// "gdi": a 16-bit top-down DIB section of the asked size, selected into a
// memory DC, is the frame; present copies it to the window's top left corner.
class GdiBackend final : public DisplayBackend {
public:
  GdiBackend();
  ~GdiBackend() override;

  const char16_t* getName() const override { return u"gdi"; }
  int32_t width() const override;
  int32_t height() const override;
  bool open(wce::HWND window, const BackendParams& params) override;
  void close() override;
  bool setUpdateRect(const BackendRect& rect) override;
  bool begin() override;
  qel::raster::RasterSurface* getSurface() override;
  void present() override;

private:
  static void takeOverScreen(wce::HWND window);
  void release();

  bool open_ = false;
  bool begun_ = false;
  std::unique_ptr<qel::raster::RasterSurface> surface_;
  wce::HBITMAP dib_ = nullptr;
  wce::HDC memoryDc_ = nullptr;
  wce::HWND window_ = nullptr;
  BackendRect updateRect_;
};

}  // namespace qel::lcdui
