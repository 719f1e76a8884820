#include "platform/sdl/video/EventTranslator.h"

#include <algorithm>

#include "platform/screen/DeviceScreen.h"
#include "platform/sdl/video/KeyTable.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace wce {

bool EventTranslator::translate(const SDL_Event& event, HWND target) {
  if (!target) return false;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: key(event.key, target); return false;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        pen(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0, event.button.x, event.button.y, target);
      }
      return false;
    case SDL_MOUSEMOTION:
      pen(WM_MOUSEMOVE,
          (event.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0,
          event.motion.x,
          event.motion.y,
          target);
      return false;
    case SDL_WINDOWEVENT: return window(event.window, target);
    case SDL_QUIT:
      if (!closePosted_) PostMessageW(target, WM_CLOSE, 0, 0);
      closePosted_ = true;
      return false;
    default: return false;
  }
}

void EventTranslator::key(const SDL_KeyboardEvent& event, HWND target) {
  const bool smartphone = deviceProfile().platformType == u"SmartPhone";
  const auto virtualKey = virtualKeyFor(event.keysym.sym, smartphone);
  if (!virtualKey) return;
  LPARAM flags = 1;  // repeat count
  if (event.type == SDL_KEYUP) {
    flags |= KF_REPEAT_BIT | (LPARAM{1} << 31);
  } else if (event.repeat) {
    flags |= KF_REPEAT_BIT;
  }
  PostMessageW(target, event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, *virtualKey, flags);
}

void EventTranslator::pen(UINT message, WPARAM buttons, int x, int y, HWND target) {
  if (!HasPointingDevice()) return;
  const DeviceScreen& screen = DeviceScreen::instance();
  const int screenX = std::clamp(x / zoom_, 0, screen.width() - 1);
  const int screenY = std::clamp(y / zoom_, 0, screen.height() - 1);
  PostMessageW(target, message, buttons, MAKELPARAM(screenX, screenY));
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
    default: return false;
  }
}

}  // namespace wce
