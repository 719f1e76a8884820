#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "microedition/displayable/DCanvas.ptr.h"
#include "microedition/midlet/DMIDlet.ptr.h"

namespace qel::raster {
class RasterSurface;
}

namespace qel::lcdui {

class DisplayBackend;

// The one display: holds the current canvas and copies its frames to the
// display back-end. It attaches itself to the current application object.
class DDisplay final : public qel::lang::DObject {
public:
  // Needs a current application object (else 0x05000080); the size is the
  // back-end's.
  explicit DDisplay(DisplayBackend* backend);
  ~DDisplay() override;

  // The application object's display, counted; null application throws 0x05000080.
  static DDisplayPtr getDisplay(qel::midlet::DMIDletPtr midlet);
  DCanvasPtr getCurrent() const;
  // Hides the old canvas, shows the new one; the same canvas again is hidden
  // and shown again.
  void setCurrent(DCanvasPtr canvas);

  // One frame of the global display's current canvas to the back-end: a
  // copy, or pixel doubling under the host's scale2x. Nothing without a
  // current canvas, while the host is inactive, or when the back-end gives
  // no surface.
  static void flush();

  int32_t getWidth() const { return width_; }
  int32_t getHeight() const { return height_; }
  DisplayBackend* getBackend() const { return backend_; }
  // Not counted; null when there is none.
  static DDisplay* instance();

private:
  static void doublePixels(const qel::raster::RasterSurface& source, qel::raster::RasterSurface& screen);

  DCanvasPtr current_;
  DisplayBackend* backend_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace qel::lcdui
