#pragma once

#include <functional>
#include <vector>

#include "tools/demodata/lib/Level.h"

namespace nv::demodata {

// The cells a person can walk to from the exit: floor without objects, never the van's two
// cells beside the exit. Doors count as open when `opens` says an item opens them; guarded
// cells are closed when `avoidGuarded` is set.
class LevelReach {
public:
  LevelReach(const Level& level, const std::function<bool(int kind)>& opens, bool avoidGuarded);

  bool reaches(int x, int y) const { return level_.inside(x, y) && seen_[y][x]; }
  // Whether a person can stand on a reached cell on one of the object's open sides.
  bool canWork(const RoomObjectRecord& object) const;

private:
  const Level& level_;
  std::vector<std::vector<bool>> seen_;
};

}  // namespace nv::demodata
