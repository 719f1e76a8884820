#pragma once
// SDL events as the layer's messages, posted to the device's window: keys by
// the desktop key table, the left button and motion as the pen (window
// coordinates divided by the zoom and held to the screen), focus as
// WM_ACTIVATE, closing as WM_CLOSE, exposure as WM_PAINT.

#include <SDL.h>

#include "platform/window/WindowTypes.h"

namespace wce {

class EventTranslator {
public:
  explicit EventTranslator(int zoom) : zoom_(zoom) {}
  // Answers true when the event asks for the screen to be shown again.
  bool translate(const SDL_Event& event, HWND target);

private:
  void key(const SDL_KeyboardEvent& event, HWND target);
  void pen(UINT message, WPARAM buttons, int x, int y, HWND target);
  bool window(const SDL_WindowEvent& event, HWND target);

  int zoom_;
  bool closePosted_ = false;
};

}  // namespace wce
