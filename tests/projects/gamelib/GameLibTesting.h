#pragma once

#include <cstdint>

#include "gamelib/GameLib.h"

namespace gamelib {

// The application's schedule and flags, for tests that set them directly.
struct GameLibTesting {
  static int64_t& scheduleTime() { return GameLib::scheduleTime; }
  static int64_t& lastStepDuration() { return GameLib::lastStepDuration; }
  static bool& resolutionSupported() { return GameLib::resolutionSupported; }
  static bool& exiting() { return GameLib::exiting; }
  static bool& pausedOnce() { return GameLib::pausedOnce; }
};

}  // namespace gamelib
