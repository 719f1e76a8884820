#include "platform/sdl/video/EventTranslator.h"

#include "platform/sdl/video/KeyTable.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace wce::sdl {
namespace {

LPARAM released() { return 1 | KF_REPEAT_BIT | (LPARAM{1} << 31); }
LPARAM position(PanelPoint point) { return MAKELPARAM(point.x, point.y); }

}  // namespace

bool EventTranslator::translate(const SDL_Event& event, HWND target) {
  if (!target) return false;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: key(event.key, target); return false;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (const auto virtualKey =
              ControllerKeys::virtualKeyFor(static_cast<SDL_GameControllerButton>(event.cbutton.button)))
        controllerKey(*virtualKey, event.type == SDL_CONTROLLERBUTTONDOWN, target);
      return false;
    case SDL_CONTROLLERAXISMOTION:
      for (const auto& change :
           stick_.axisMoved(static_cast<SDL_GameControllerAxis>(event.caxis.axis), event.caxis.value))
        controllerKey(change.virtualKey, change.down, target);
      return false;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: button(event.button, target); return false;
    case SDL_MOUSEMOTION: motion(event.motion, target); return false;
    case SDL_WINDOWEVENT: return window(event.window, target);
    case SDL_QUIT:
      if (!closePosted_) PostMessageW(target, WM_CLOSE, 0, 0);
      closePosted_ = true;
      return false;
    default: return false;
  }
}

void EventTranslator::frameEnded(HWND target) {
  const auto waiting = clicks_.frameEnded();
  if (waiting && target) PostMessageW(target, WM_LBUTTONUP, 0, *waiting);
}

void EventTranslator::releaseControllerKeys(HWND target) {
  for (const auto& change : stick_.releaseAll())
    if (target) controllerKey(change.virtualKey, change.down, target);
}

void EventTranslator::key(const SDL_KeyboardEvent& event, HWND target) {
  const bool smartphone = deviceProfile().platformType == u"SmartPhone";
  const auto virtualKey = virtualKeyFor(event.keysym.sym, smartphone);
  if (!virtualKey) return;
  LPARAM flags = 1;  // repeat count
  if (event.type == SDL_KEYUP) {
    flags = released();
  } else if (event.repeat) {
    flags |= KF_REPEAT_BIT;
  }
  PostMessageW(target, event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, *virtualKey, flags);
}

void EventTranslator::controllerKey(WPARAM virtualKey, bool down, HWND target) {
  PostMessageW(target, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, down ? 1 : released());
}

void EventTranslator::button(const SDL_MouseButtonEvent& event, HWND target) {
  if (event.button != SDL_BUTTON_LEFT || !HasPointingDevice()) return;
  postWaitingRelease(target);
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    const auto point = fit_.panelPoint(event.x, event.y);
    if (!point || penDown_) return;
    penDown_ = true;
    clicks_.pressed();
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, position(*point));
    return;
  }
  if (!penDown_) return;
  penDown_ = false;
  const LPARAM at = position(fit_.heldPanelPoint(event.x, event.y));
  if (!clicks_.holdRelease(at)) PostMessageW(target, WM_LBUTTONUP, 0, at);
}

void EventTranslator::motion(const SDL_MouseMotionEvent& event, HWND target) {
  if (!HasPointingDevice()) return;
  postWaitingRelease(target);
  if (penDown_) {
    PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, position(fit_.heldPanelPoint(event.x, event.y)));
    return;
  }
  if (const auto point = fit_.panelPoint(event.x, event.y)) PostMessageW(target, WM_MOUSEMOVE, 0, position(*point));
}

void EventTranslator::postWaitingRelease(HWND target) {
  if (const auto waiting = clicks_.takeWaiting()) PostMessageW(target, WM_LBUTTONUP, 0, *waiting);
}

bool EventTranslator::window(const SDL_WindowEvent& event, HWND target) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: deliverActivation(target, true); return false;
    case SDL_WINDOWEVENT_FOCUS_LOST: deliverActivation(target, false); return false;
    case SDL_WINDOWEVENT_CLOSE:
      if (!closePosted_) PostMessageW(target, WM_CLOSE, 0, 0);
      closePosted_ = true;
      return false;
    case SDL_WINDOWEVENT_EXPOSED: InvalidateRect(target, nullptr, false); return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED: return true;
    default: return false;
  }
}

}  // namespace wce::sdl
