#pragma once

#include <memory>

#include "microedition/backend/DisplayBackend.h"
#include "microedition/raster/RasterSurface.h"

namespace tdlx {
class Display;
}

namespace qel::lcdui {

// "tdlx": the display library's back buffer is the frame, shown by ending
// the scene. Its size is the library's, whatever was asked at open.
class TdlxBackend final : public DisplayBackend {
public:
  TdlxBackend();
  ~TdlxBackend() override;

  const char16_t* getName() const override { return u"tdlx"; }
  int32_t width() const override;
  int32_t height() const override;
  bool open(wce::HWND window, const BackendParams& params) override;
  void close() override;
  bool setUpdateRect(const BackendRect& rect) override;
  bool begin() override;
  qel::raster::RasterSurface* getSurface() override;
  void present() override;

  // The display library's orientation for a rotation in degrees: 0, 3, 2, 1
  // for 0, 90, 180, 270, and 4 (any) for every other rotation.
  static int32_t orientationFor(int32_t rotation);

private:
  std::unique_ptr<tdlx::Display> display_;
  qel::raster::RasterSurface surface_;
  bool inScene_ = false;
};

}  // namespace qel::lcdui
