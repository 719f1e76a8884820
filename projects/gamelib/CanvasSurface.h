#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

// What the screen canvas uses of the host's game canvas: its size, its
// off-screen back buffer and the key map.
class CanvasSurface {
public:
  virtual ~CanvasSurface() = default;

  virtual int32_t getWidth() = 0;
  virtual int32_t getHeight() = 0;
  // A new drawing context on the back buffer: whole clip, colour 0, default font.
  virtual qel::lcdui::DGraphicsPtr getGraphics() = 0;
  // Shows the back buffer.
  virtual void flushGraphics() = 0;
  // The framework action of a key code; -1 when unmapped.
  virtual int32_t getMappedKey(int32_t code) = 0;
  virtual void setInputMode(int32_t mode) = 0;
  virtual void setKeyMap(int32_t map) = 0;
};

}  // namespace gamelib
