#pragma once

#include "gamelib/CanvasSurface.h"

namespace gamelib {

class ScreenCanvas;

// What the application object uses of the host: its game canvas, the
// display that shows a canvas, and the end of the application.
class ApplicationShell {
public:
  virtual ~ApplicationShell() = default;

  // The host's canvas with a back buffer, for the screen canvas.
  virtual CanvasSurface& canvasSurface() = 0;
  // Makes canvas the displayed one.
  virtual void setCurrent(ScreenCanvas& canvas) = 0;
  // The application's state becomes 0; the host leaves its loop.
  virtual void notifyDestroyed() = 0;
};

}  // namespace gamelib
