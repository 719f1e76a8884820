#pragma once
// The game looks at the pen once a frame, so a release that comes before any
// frame ended since its press (a tap on a touch screen, a synthetic click)
// would hide the press. Such a release waits for the end of the next frame.

#include <optional>

#include "platform/system/WinTypes.h"

namespace wce::sdl {

class ClickPairing {
public:
  // A press went to the game.
  void pressed() { frameSincePress_ = false; }
  // A release at position: true when it waits (the position is kept).
  bool holdRelease(LPARAM position);
  // A frame ended: the waiting release's position, to go to the game now.
  std::optional<LPARAM> frameEnded();
  // Another pen event comes: the waiting release goes first.
  std::optional<LPARAM> takeWaiting();

private:
  bool frameSincePress_ = true;
  std::optional<LPARAM> waiting_;
};

}  // namespace wce::sdl
