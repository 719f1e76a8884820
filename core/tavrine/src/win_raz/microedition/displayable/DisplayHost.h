#pragma once

#include "platform/system/WinTypes.h"

namespace qel::lcdui {

// What displays and canvases read of the application host: whether frames
// may be drawn, pixel doubling, and the window. The host installs itself
// for its lifetime; without one nothing is drawn.
class DisplayHost {
public:
  DisplayHost() = default;
  DisplayHost(const DisplayHost&) = delete;
  DisplayHost& operator=(const DisplayHost&) = delete;
  virtual ~DisplayHost() = default;

  virtual bool isInactive() = 0;
  virtual bool isScale2x() const = 0;
  virtual wce::HWND getWindow() const = 0;

  static DisplayHost* current();
  static void setCurrent(DisplayHost* host);
};

}  // namespace qel::lcdui
