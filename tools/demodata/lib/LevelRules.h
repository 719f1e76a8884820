#pragma once

#include <utility>

#include "tools/demodata/lib/Level.h"

namespace nv::demodata {

// Training levels test one fixed cell each (the bombs of level 5 lie on free floor).
struct TrainingGoal {
  int level, x, y;
  bool container;
};
inline constexpr TrainingGoal kTrainingGoals[] = {
    {1, 4, 4, false}, {2, 3, 5, true}, {3, 3, 11, true}, {4, 5, 6, true}, {5, 9, 5, true}, {6, 3, 6, true}};
inline constexpr std::pair<int, int> kLevel5BombCells[] = {{4, 5}, {8, 5}};

// Throws naming the first rule of play that level `number` breaks against its row of the
// level table, as far as it can be known without playing: training goals reachable without a
// guarded cell and opened with an item the level sells and its money buys; in the jobs, the
// loot its tips sell on the map and worth their price, the alarm fee in scale with the loot,
// every loot container and door opened by an item sold that an offered person can carry,
// and some loot that can be taken without an alarm.
void checkPlay(const Level& level, int number);

}  // namespace nv::demodata
