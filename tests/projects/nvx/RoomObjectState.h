#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx::test {

// Every room object's open and take stamps and amount, in cell order.
inline std::vector<std::array<int32_t, 3>> roomObjectState() {
  std::vector<std::array<int32_t, 3>> state;
  for (int32_t x = 0; x < WorldState::mapWidth; ++x)
    for (int32_t y = 0; y < WorldState::mapHeight; ++y)
      if (auto* o = static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(x, y))))
        state.push_back({o->openStamp, o->takeStamp, o->amount});
  return state;
}

}  // namespace nvx::test
