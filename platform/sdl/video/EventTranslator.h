#pragma once
// SDL events as the layer's messages, posted to the device's window: keys by
// the desktop key table, game-controller buttons and stick by the controller
// table, the left button and motion as the pen (window points mapped back
// through the panel's fit; a press on the black border reaches nothing),
// focus as WM_ACTIVATE, closing as WM_CLOSE, exposure as WM_PAINT.

#include <SDL.h>

#include "platform/sdl/video/ClickPairing.h"
#include "platform/sdl/video/ControllerKeys.h"
#include "platform/sdl/video/PanelFit.h"
#include "platform/window/WindowTypes.h"

namespace wce::sdl {

class EventTranslator {
public:
  explicit EventTranslator(const PanelFit& fit) : fit_(fit) {}
  // Where the panel lies in the window now.
  void setPanelFit(const PanelFit& fit) { fit_ = fit; }
  // Answers true when the event asks for the screen to be shown again.
  bool translate(const SDL_Event& event, HWND target);
  // A frame ended: a release held back for it goes to the game.
  void frameEnded(HWND target);
  // A controller went away: the arrows its stick held are released.
  void releaseControllerKeys(HWND target);

private:
  void key(const SDL_KeyboardEvent& event, HWND target);
  void controllerKey(WPARAM virtualKey, bool down, HWND target);
  void button(const SDL_MouseButtonEvent& event, HWND target);
  void motion(const SDL_MouseMotionEvent& event, HWND target);
  void postWaitingRelease(HWND target);
  bool window(const SDL_WindowEvent& event, HWND target);

  PanelFit fit_;
  ClickPairing clicks_;
  ControllerKeys stick_;
  bool penDown_ = false;
  bool closePosted_ = false;
};

}  // namespace wce::sdl
