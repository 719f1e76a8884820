#pragma once
// Game-controller buttons and the left stick as the handheld's hardware
// keys: d-pad and stick the arrows, A Return (action), B and Select Escape
// (right soft key, back), Start F1 (left soft key), X '0' (next person) and
// Y '1' (items for the object in front). The stick presses an arrow when it
// leaves the dead zone and releases it when it comes back (or turns), so a
// held stick is a held key.

#include <SDL.h>
#include <optional>
#include <vector>

#include "platform/system/WinTypes.h"

namespace wce::sdl {

class ControllerKeys {
public:
  // How far (of 32767) the stick must lean before it presses an arrow.
  static constexpr int kDeadZone = 16000;

  struct KeyChange {
    WPARAM virtualKey;
    bool down;
    bool operator==(const KeyChange&) const = default;
  };

  static std::optional<WPARAM> virtualKeyFor(SDL_GameControllerButton button);

  // The arrows the stick presses and releases as one of its axes moves.
  std::vector<KeyChange> axisMoved(SDL_GameControllerAxis axis, int value);
  // The arrows the stick holds, released (its controller went away).
  std::vector<KeyChange> releaseAll();

private:
  std::optional<WPARAM> heldX_;
  std::optional<WPARAM> heldY_;
};

}  // namespace wce::sdl
