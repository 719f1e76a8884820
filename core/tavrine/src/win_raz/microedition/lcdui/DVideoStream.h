#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DVideoStream.ptr.h"

namespace qel::lcdui {

class DGraphics;

// A source of video frames that DGraphics::drawVideoFrame asks to draw.
class DVideoStream : public qel::lang::DObject {
public:
  virtual int32_t getWidth() = 0;
  virtual int32_t getHeight() = 0;
  // Draws the current frame into graphics at the anchored (x, y), width x height.
  virtual void drawFrame(DGraphics& graphics, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
};

}  // namespace qel::lcdui
