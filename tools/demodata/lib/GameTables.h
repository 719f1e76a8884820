#pragma once

#include <array>

#include "nvx/src/state/TableData.h"

namespace nv::demodata {

// The game's built-in tables that the data set must agree with, read from
// the game's own sources.
struct ObjectKind {
  std::array<int, 4> frames;  // object-sheet frame per facing; +1 when open
  int flags;                  // bits 0-3 reachable sides, 4 container, 5 inert, 6/7 drawn half
};

inline constexpr int kObjectKinds = nvx::tables::objectKinds;
inline constexpr int kAlarmBoxKind = 6;
inline constexpr int kBombKind = 9;
inline constexpr int kContainerFlag = 16;
inline constexpr int kInertFlag = 32;
inline constexpr int kLootKinds = nvx::tables::lootKinds - 1;
inline constexpr int kLevels = nvx::tables::levelCount;
inline constexpr int kFirstFloor = 13;
inline constexpr int kHighestFloor = 19;
inline constexpr int kObjectFrames = 96;
inline constexpr int kPersonFrames = 200;
inline constexpr int kTileFrames = 20;

inline constexpr std::array<ObjectKind, kObjectKinds> kObjectKindTable = [] {
  std::array<ObjectKind, kObjectKinds> kinds{};
  for (int k = 0; k < kObjectKinds; ++k) {
    const auto& row = nvx::tables::objectKindTable[k];
    kinds[k] = {{row[0], row[1], row[2], row[3]}, row[5]};
  }
  return kinds;
}();

}  // namespace nv::demodata
