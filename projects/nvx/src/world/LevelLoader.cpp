#include <cstdio>

#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/DbyteArray2d.h"
#include "lang/DintArray.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

using qel::io::DDataInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DintArray;
using qel::lang::DintArrayPtr;
using qel::util::DEnumerationPtr;
using qel::util::DHashtable;
using qel::util::DHashtablePtr;

namespace {

void logRefused(int32_t level, const char* what, int32_t x, int32_t y) {
  std::fprintf(stderr, "level %d: %s at %d,%d skipped\n", level, what, x, y);
}

bool onMap(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < WorldState::mapWidth && y < WorldState::mapHeight; }

bool holdsSharedLoot(const RoomObject& o) {
  return o.amount > 0 && o.content != 0 && (o.flags() & RoomObject::containerFlag) != 0;
}

// Reads one level record; stops with the framework's exception where the
// data ends. Bad objects, alarm cells and exits are skipped with a log line.
class LevelRecordReader {
public:
  LevelRecordReader(int32_t level, const DDataInputStreamPtr& in) : level_(level), in_(in) {}

  // False when the record has no usable size: the level then has no map.
  bool readGrid() {
    const int32_t w = in_->readByte();
    const int32_t h = in_->readByte();
    if (w <= 0 || h <= 0) {
      std::fprintf(stderr, "level %d: map size %d x %d refused\n", level_, w, h);
      return false;
    }
    WorldState::mapWidth = static_cast<int8_t>(w);
    WorldState::mapHeight = static_cast<int8_t>(h);
    WorldState::grid = new qel::lang::DbyteArray2d(w, h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) WorldState::grid[x][y] = static_cast<int8_t>(in_->readByte());
    return true;
  }

  void readObjects() {
    const int32_t count = in_->readShort();
    for (int32_t i = 0; i < count; ++i) {
      int32_t b[7];
      for (int32_t& value : b) value = in_->readByte();
      const int32_t kind = b[0], x = b[1], y = b[2], facing = b[3], content = b[5];
      if (kind < 0 || kind >= RoomObject::kindCount) {
        logRefused(level_, "object of unknown kind", x, y);
      } else if (!onMap(x, y)) {
        logRefused(level_, "object outside the map", x, y);
      } else if (facing < 0 || facing > 3) {
        logRefused(level_, "object with unknown facing", x, y);
      } else if (content < 0 || content > 5) {
        logRefused(level_, "object with unknown loot", x, y);
      } else {
        GameTables::roomObjects->put(WorldRules::cellKey(x, y),
                                     new RoomObject(kind, x, y, facing, b[4] != 0, content, b[6]));
      }
    }
  }

  void readAlarmGroups() {
    const int32_t groups = in_->readByte();
    for (int32_t i = 0; i < groups; ++i) {
      const int32_t boxX = in_->readByte();
      const int32_t boxY = in_->readByte();
      const int32_t bytes = in_->readByte();
      const bool boxOnMap = onMap(boxX, boxY);
      if (!boxOnMap) logRefused(level_, "alarm group with its box outside the map", boxX, boxY);
      for (int32_t k = 0; k + 1 < bytes; k += 2) {
        const int32_t x = in_->readByte();
        const int32_t y = in_->readByte();
        if (!boxOnMap) continue;
        if (onMap(x, y))
          GameTables::alarmLinks->put(WorldRules::cellKey(x, y), WorldRules::cellKey(boxX, boxY));
        else
          logRefused(level_, "guarded cell outside the map", x, y);
      }
      if (bytes > 0 && bytes % 2 != 0) in_->readByte();
    }
  }

  void readExit() {
    if (in_->readByte() <= 0) return;
    const int32_t x = in_->readShort();
    const int32_t y = in_->readShort();
    in_->readShort();
    in_->readShort();
    if (!onMap(x, y)) {
      logRefused(level_, "exit outside the map", x, y);
      return;
    }
    WorldState::exitX = static_cast<int8_t>(x);
    WorldState::exitY = static_cast<int8_t>(y);
  }

private:
  int32_t level_;
  DDataInputStreamPtr in_;
};

// A level with no map: nothing to stand on, nothing left from the level before.
void clearMap() {
  WorldState::mapWidth = 0;
  WorldState::mapHeight = 0;
  WorldState::grid = new qel::lang::DbyteArray2d(0);
}

// Reads the record; false when the level has no map. Reading stops at the
// first framework exception, keeping what was read.
bool readRecord(int32_t level, const DDataInputStreamPtr& in) {
  bool haveMap = false;
  try {
    if (!in) throw DExceptionBase(0x06000002u);
    LevelRecordReader reader(level, in);
    haveMap = reader.readGrid();
    if (haveMap) {
      reader.readObjects();
      reader.readAlarmGroups();
      reader.readExit();
    }
  } catch (const DExceptionBase&) {
    if (!haveMap) std::fprintf(stderr, "level %d: no record in \"m\"\n", level);
  }
  if (!haveMap) clearMap();
  return haveMap;
}

void shareLoot() {
  // Per (content, amount) group: {left to give, objects left, objects in the group}.
  DHashtablePtr groups = new DHashtable(11, 75);
  auto entryOf = [&](const RoomObject& o) {
    return static_cast<DintArray*>(groups->get(WorldRules::cellKey(o.content, o.amount)));
  };
  for (DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    const auto& o = *static_cast<RoomObject*>(e->nextElement());
    if (!holdsSharedLoot(o)) continue;
    const DintArray* entry = entryOf(o);
    const int32_t n = entry ? entry->at(1) + 1 : 1;
    groups->put(WorldRules::cellKey(o.content, o.amount), new DintArray(3, 0, o.amount, n, n));
  }
  for (DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    auto& o = *static_cast<RoomObject*>(e->nextElement());
    if (!holdsSharedLoot(o)) continue;
    DintArray& entry = *entryOf(o);
    const int32_t left = entry.at(0), n = entry.at(1), total = entry.at(2);
    if (n < 2) {
      o.amount = static_cast<int8_t>(n == 1 ? left : 0);
      if (n == 1) {
        entry.at(0) = 0;
        entry.at(1) = 0;
      }
      continue;
    }
    o.amount = 0;
    if (n == 2 && total == 2) {
      const int32_t r = GameHelpers::randomInRange(0, 2);
      if (r == 1) o.amount = static_cast<int8_t>(GameHelpers::randomInRange(0, left));
      if (r == 2) o.amount = static_cast<int8_t>(left);
    } else if (GameHelpers::randomInRange(0, 1) == 1) {
      o.amount = static_cast<int8_t>(std::min(GameHelpers::randomInRange(0, left / 2), left));
    }
    entry.at(0) = left - o.amount;
    entry.at(1) = n - 1;
  }
}

void countLoot() {
  for (DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    const auto& o = *static_cast<RoomObject*>(e->nextElement());
    if ((o.flags() & RoomObject::containerFlag) == 0 || o.content >= 6) continue;
    const int32_t value = o.amount * GameTables::alarmTable[o.content][0];
    GameTables::levelCounters[0] += value;
    GameTables::levelCounters[o.content] += value;
  }
  GameTables::levelCounters[0] = GameTables::levelCounters[0] / 1000 * 1000;
}

}  // namespace

bool WorldRules::loadLevel(int32_t level) {
  DDataInputStreamPtr in;
  try {
    in = BitmapText::openLevelRecord(level);
  } catch (const DExceptionBase&) {}
  const bool haveMap = loadLevelRecord(level, in);
  if (in) {
    try {
      in->close();
    } catch (const DExceptionBase&) {}
  }
  return haveMap;
}

bool WorldRules::loadLevelRecord(int32_t level, const DDataInputStreamPtr& in) {
  GameState::levelCounter = 180;
  if (!GameTables::roomObjects || !GameTables::bombs || !GameTables::alarmLinks) return false;
  GameTables::roomObjects->clear();
  GameTables::bombs->clear();
  GameTables::alarmLinks->clear();
  if (!GameTables::levelTable || level < 1 || level > GameTables::levelTable->length()) {
    std::fprintf(stderr, "level %d: no such level\n", level);
    clearMap();
    return false;
  }

  const bool haveMap = readRecord(level, in);

  const auto& row = GameTables::levelTable[level - 1];
  GameTables::levelTotals =
      new DintArray(7, 0, 0, row[1] * 100, row[2] * 100, row[3] * 100, row[4] * 100, row[5] * 100, row[11] * 100);
  WorldState::alarmBoxesOff = row[6] * 100;
  if (GameState::difficulty == -1) GameState::money = row[12];
  GameTables::levelCounters = new DintArray(6);
  shareLoot();
  countLoot();
  GameState::levelCounter = row[0] + GameHelpers::randomInRange(0, 10);
  return haveMap;
}

}  // namespace nvx
