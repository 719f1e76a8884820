#include "platform/sdl/video/ControllerKeys.h"

#include "platform/window/VirtualKeys.h"

namespace wce::sdl {
namespace {

std::optional<WPARAM> leaning(int value, WPARAM negative, WPARAM positive) {
  if (value <= -ControllerKeys::kDeadZone) return negative;
  if (value >= ControllerKeys::kDeadZone) return positive;
  return std::nullopt;
}

void turnTo(std::optional<WPARAM>& held, std::optional<WPARAM> wanted,
            std::vector<ControllerKeys::KeyChange>& changes) {
  if (held == wanted) return;
  if (held) changes.push_back({*held, false});
  if (wanted) changes.push_back({*wanted, true});
  held = wanted;
}

}  // namespace

std::optional<WPARAM> ControllerKeys::virtualKeyFor(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return VK_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return VK_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return VK_RIGHT;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return VK_DOWN;
    case SDL_CONTROLLER_BUTTON_A: return VK_RETURN;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_BACK: return VK_ESCAPE;
    case SDL_CONTROLLER_BUTTON_START: return VK_F1;
    case SDL_CONTROLLER_BUTTON_X: return VK_0;
    case SDL_CONTROLLER_BUTTON_Y: return VK_0 + 1;
    default: return std::nullopt;
  }
}

std::vector<ControllerKeys::KeyChange> ControllerKeys::axisMoved(SDL_GameControllerAxis axis, int value) {
  std::vector<KeyChange> changes;
  if (axis == SDL_CONTROLLER_AXIS_LEFTX) turnTo(heldX_, leaning(value, VK_LEFT, VK_RIGHT), changes);
  if (axis == SDL_CONTROLLER_AXIS_LEFTY) turnTo(heldY_, leaning(value, VK_UP, VK_DOWN), changes);
  return changes;
}

std::vector<ControllerKeys::KeyChange> ControllerKeys::releaseAll() {
  std::vector<KeyChange> changes;
  turnTo(heldX_, std::nullopt, changes);
  turnTo(heldY_, std::nullopt, changes);
  return changes;
}

}  // namespace wce::sdl
