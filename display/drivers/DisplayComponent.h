#pragma once

namespace tdlx {

// What the display objects and the drivers are told by the window.
class DisplayComponent {
public:
  virtual ~DisplayComponent() = default;
  virtual void resume() {}
  virtual void suspend() {}
  // The window was asked to paint.
  virtual void repaint() {}
};

}  // namespace tdlx
