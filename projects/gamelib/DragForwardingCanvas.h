#pragma once

#include <cstdint>

#include "microedition/displayable/DGameCanvas.h"

namespace gamelib {

// Takes the canvas's drag events one class below ScreenCanvas, so that
// ScreenCanvas::pointerDragged can name the drag flag of the key state.
class DragForwardingCanvas : public qel::lcdui::DGameCanvas {
public:
  void pointerDragged(int32_t x, int32_t y) final { pointerDrag(x, y); }

protected:
  virtual void pointerDrag(int32_t x, int32_t y) = 0;
};

}  // namespace gamelib
