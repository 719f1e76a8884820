#pragma once

#include <memory>

#include "microedition/backend/DisplayBackend.h"
#include "platform/gdi/DisplayEscapes.h"

namespace qel::lcdui {

// "extesc": draws into a surface of its own and copies it into the display
// driver's raw frame buffer on present, limited to the update rect. Only an
// RGB565 buffer whose pixels lie 2 bytes apart in rows of at least the width
// opens.
class ExtEscBackend final : public DisplayBackend {
public:
  ExtEscBackend();
  ~ExtEscBackend() override;

  const char16_t* getName() const override { return u"extesc"; }
  int32_t width() const override;
  int32_t height() const override;
  bool open(wce::HWND window, const BackendParams& params) override;
  void close() override;
  bool setUpdateRect(const BackendRect& rect) override;
  bool begin() override;
  qel::raster::RasterSurface* getSurface() override;
  void present() override;

private:
  static bool isUsable(const wce::RawFrameBufferInfo& record);

  bool open_ = false;
  bool begun_ = false;
  std::unique_ptr<qel::raster::RasterSurface> back_;
  std::unique_ptr<qel::raster::RasterSurface> screen_;
  wce::HWND window_ = nullptr;
  BackendRect updateRect_;
  wce::RawFrameBufferInfo record_;
};

}  // namespace qel::lcdui
