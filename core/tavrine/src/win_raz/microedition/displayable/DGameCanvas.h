#pragma once

#include "microedition/displayable/DCanvas.h"

namespace qel::lcdui {

// A canvas that hands out a drawing context on its back buffer and flushes
// the buffer to the screen.
class DGameCanvas : public DCanvas {
public:
  DGameCanvas() = default;
  ~DGameCanvas() override = default;

  // A new context on a view of the back buffer; it keeps the canvas alive.
  DGraphicsPtr getGraphics();
  // DDisplay::flush while the canvas is shown.
  void flushGraphics();
};

}  // namespace qel::lcdui
