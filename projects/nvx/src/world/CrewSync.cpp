#include "nvx/src/world/CrewSync.h"

namespace nvx {

CrewSync* CrewSync::sync_ = nullptr;

void CrewSync::install(CrewSync* sync) { sync_ = sync; }

void CrewSync::sync(Person& recorded, bool busy) {
  if (sync_) sync_->syncCrewToStep(recorded, busy);
}

}  // namespace nvx
