#include "lang/DInteger.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

using qel::lang::DObjectPtr;
using qel::util::DEnumerationPtr;
using qel::util::DHashtablePtr;

qel::lang::DIntegerPtr WorldRules::cellKey(int32_t x, int32_t y) {
  // The row keeps its low byte only, so a negative row cannot reach into the
  // column's bits: every cell of a map up to 127 x 127 has its own key, and
  // no cell beside the map shares one with a cell on it.
  return new qel::lang::DInteger((x << 8) | (y & 0xff));
}

void WorldRules::shareEntries(const DHashtablePtr& source, const DHashtablePtr& target) {
  target->clear();
  for (DEnumerationPtr keys = source->keys(); keys->hasMoreElements();) {
    DObjectPtr key = keys->nextElement();
    target->put(key, source->get(key));
  }
}

void WorldRules::copyObjects(const DHashtablePtr& source, const DHashtablePtr& target) {
  target->clear();
  for (DEnumerationPtr objects = source->elements(); objects->hasMoreElements();) {
    auto* from = static_cast<RoomObject*>(objects->nextElement());
    RoomObjectPtr copy = new RoomObject(
        static_cast<int8_t>(from->type), from->x, from->y, from->facing, false, from->content, from->amount);
    copy->openStamp = from->openStamp;
    copy->takeStamp = from->takeStamp;
    target->put(cellKey(from->x, from->y), copy);
  }
}

void WorldRules::resetRoomObjects(bool stampsOnly) {
  for (DEnumerationPtr objects = GameTables::roomObjects->elements(); objects->hasMoreElements();)
    static_cast<RoomObject*>(objects->nextElement())->reset(stampsOnly);
}

}  // namespace nvx
