#pragma once

#include "tools/demodata/lib/GameTables.h"

namespace nv::demodata {

// A container shows its open look one frame after its closed one. Where a kind's facings lie on
// consecutive frames, a facing whose closed frame is the open frame of an earlier usable facing
// cannot be told from it; such facings are not used (for desks and card lockers: north, south).
inline bool usableFacing(int kind, int facing) {
  const auto& frames = kObjectKindTable[kind].frames;
  if ((kObjectKindTable[kind].flags & kContainerFlag) == 0) return true;
  for (int earlier = 0; earlier < facing; ++earlier)
    if (usableFacing(kind, earlier) && frames[facing] == frames[earlier] + 1) return false;
  return true;
}

}  // namespace nv::demodata
