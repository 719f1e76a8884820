#include "platform/sdl/video/ClickPairing.h"

#include <utility>

namespace wce::sdl {

bool ClickPairing::holdRelease(LPARAM position) {
  if (frameSincePress_) return false;
  waiting_ = position;
  return true;
}

std::optional<LPARAM> ClickPairing::frameEnded() {
  frameSincePress_ = true;
  return takeWaiting();
}

std::optional<LPARAM> ClickPairing::takeWaiting() { return std::exchange(waiting_, std::nullopt); }

}  // namespace wce::sdl
