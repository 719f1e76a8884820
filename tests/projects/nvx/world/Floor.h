#pragma once

#include <cstdint>

#include "lang/DbyteArray2d.h"
#include "nvx/src/state/WorldState.h"

// A w x h map of open floor (cell class 13) with the exit at (exitX, exitY);
// with walled, the border cells are walls (class 2).
inline void layFloor(int32_t w, int32_t h, int32_t exitX, int32_t exitY, bool walled = false) {
  using nvx::WorldState;
  WorldState::mapWidth = w;
  WorldState::mapHeight = h;
  WorldState::grid = new qel::lang::DbyteArray2d(w, h);
  for (int32_t x = 0; x < w; ++x)
    for (int32_t y = 0; y < h; ++y) {
      const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      WorldState::grid[x][y] = static_cast<int8_t>(walled && border ? 2 : 13);
    }
  WorldState::exitX = exitX;
  WorldState::exitY = exitY;
}
