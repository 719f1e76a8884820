#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DInteger.h"
#include "util/DHashtable.h"

namespace nvx {

class Person;
class RoomObject;

// The world's operations, as statics of MainCanvas: the level loader, the
// room-object tables, the movement and neighbourhood rules, the world tick,
// alarms, departure and the level result.
struct WorldRules {
  // Sprite sets of the level view.
  static constexpr int8_t personSprites = 1;
  static constexpr int8_t planStampSprites = 2;
  static constexpr int8_t objectSprites = 4;
  static constexpr int8_t vehicleSprite = 10;
  static constexpr int8_t explosionSprites = 11;
  static constexpr int8_t planObjectSprites = 47;
  static constexpr int8_t planPersonSprites = 50;
  static constexpr int8_t planSignSprites = 51;

  // Room objects.
  // (x << 8) | (y & 0xff): distinct for every cell of a map and beside it.
  static qel::lang::DIntegerPtr cellKey(int32_t x, int32_t y);
  // target takes source's entries, the same value objects.
  static void shareEntries(const qel::util::DHashtablePtr& source, const qel::util::DHashtablePtr& target);
  // target takes fresh closed copies of source's objects, stamps kept.
  static void copyObjects(const qel::util::DHashtablePtr& source, const qel::util::DHashtablePtr& target);
  static void resetRoomObjects(bool stampsOnly);

  // The level file "m". False when the level has no record or no usable
  // map: the level then has no map and no objects, and the per-level values
  // are still set (when the level is in the level table).
  static bool loadLevel(int32_t level);
  // The same from a stream standing at the level's record.
  static bool loadLevelRecord(int32_t level, const qel::io::DDataInputStreamPtr& in);

  // Movement and neighbourhood.
  static int32_t cellClass(int32_t x, int32_t y, bool outsideIsWall);
  static bool isBlockedByObject(const Person& p, bool planning);
  static bool canStep(const Person& p, bool ignorePersons);
  static RoomObject* objectInFront(const Person& p);
  static bool isOnOpenSide(const RoomObject& o, int32_t x, int32_t y);
  // A blast, or (stampMode) the planned opening at step, on the four cells
  // around (x, y) or its four diagonals.
  static void affectNeighbours(int32_t x, int32_t y, bool stampMode, bool clearStamp, int32_t step, bool strong,
                               bool diagonal);

  // Alarm, departure and the level result.
  static void triggerAlarm(const qel::lang::DIntegerPtr& key);
  static void makeNoise(bool loud);
  static void onReachExit();
  static void depart();
  static int8_t trainingResult();
  static void stepVehicle();
  static void endLevel();

  // One tick of level play.
  static void worldTick();
  static void tickBombs();
  static void drawTrailDot(const Person& p);
};

}  // namespace nvx
