#include "lang/DInteger.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

RoomObject* objectAt(int32_t x, int32_t y) {
  return static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(x, y)));
}

bool stampedOpen(const RoomObject& o) { return o.openStamp >= 1 && o.openStamp <= WorldState::stepIndex; }

}  // namespace

int32_t WorldRules::cellClass(int32_t x, int32_t y, bool outsideIsWall) {
  if (x < 0 || y < 0 || x >= WorldState::mapWidth || y >= WorldState::mapHeight) return outsideIsWall ? 12 : 16;
  const int32_t value = WorldState::grid[x][y];
  if (value < 13) return value;
  const RoomObject* o = objectAt(x, y);
  return o && (o->type == 1 || o->type == 2) ? 12 : value;
}

bool WorldRules::isBlockedByObject(const Person& p, bool planning) {
  if (!p.computeTarget()) return false;
  const RoomObject* o = objectAt(WorldState::targetX, WorldState::targetY);
  if (!o || o->type == 20 || o->type == 25) return false;
  switch (o->type) {
    case 6: return !(WorldState::alarmBoxesOff > 0 || stampedOpen(*o));
    case 4: return !(planning && (GameTables::levelTotals[5] > 0 || stampedOpen(*o)));
    case 1:
    case 2: return planning ? !stampedOpen(*o) : o->state[0] >= 1;
    default: return true;
  }
}

bool WorldRules::canStep(const Person& p, bool ignorePersons) {
  if (!p.computeTarget()) return false;
  if (WorldState::targetY == WorldState::exitY &&
      (WorldState::targetX == WorldState::exitX - 1 || WorldState::targetX == WorldState::exitX + 1))
    return false;
  const bool floor = WorldState::grid[WorldState::targetX][WorldState::targetY] > 12;
  if (!floor || ignorePersons) return floor;
  const bool targetIsExit = WorldState::targetX == WorldState::exitX && WorldState::targetY == WorldState::exitY;
  for (int32_t i = 0; i < GameTables::activePersons->size() && !targetIsExit; ++i) {
    const auto* q = static_cast<const Person*>(GameTables::activePersons->elementAt(i));
    if (q->stunSteps >= 1) continue;
    int32_t qx = q->x, qy = q->y;
    if (q->action == 1 && q != &p) {
      qx += GameTables::directionSteps[0][q->direction & 3];
      qy += GameTables::directionSteps[1][q->direction & 3];
    }
    if (qx == WorldState::targetX && qy == WorldState::targetY) return false;
  }
  if (GameState::skipWorldLogic == 1) triggerAlarm(cellKey(WorldState::targetX, WorldState::targetY));
  return true;
}

RoomObject* WorldRules::objectInFront(const Person& p) {
  RoomObject* o = objectAt(p.x + GameTables::directionSteps[0][p.direction & 3],
                           p.y + GameTables::directionSteps[1][p.direction & 3]);
  if (o && o->type == 6 && WorldState::alarmBoxesOff > 0) return nullptr;
  return o;
}

bool WorldRules::isOnOpenSide(const RoomObject& o, int32_t x, int32_t y) {
  const int32_t flags = o.flags();
  for (int32_t d = 0; d < 4; ++d) {
    const int32_t s = (o.facing + d) % 4;
    if (o.x + GameTables::directionSteps[0][s] == x && o.y + GameTables::directionSteps[1][s] == y)
      return (flags >> d & 1) != 0;
  }
  return (flags >> 4 & 1) != 0;
}

void WorldRules::affectNeighbours(int32_t x, int32_t y, bool stampMode, bool clearStamp, int32_t step, bool strong,
                                  bool diagonal) {
  const auto& steps = diagonal ? GameTables::diagonalSteps : GameTables::directionSteps;
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t nx = x + steps[0][i], ny = y + steps[1][i];
    RoomObject* o = objectAt(nx, ny);
    if (!o) continue;
    if (!stampMode) {
      triggerAlarm(cellKey(nx, ny));
      makeNoise(strong);
    }
    if (o->type == 6 || o->type == RoomObject::bombKind || o->type == 4 || (o->flags() & RoomObject::inertFlag))
      continue;
    const bool inWall =
        nx >= 0 && ny >= 0 && nx < WorldState::mapWidth && ny < WorldState::mapHeight && WorldState::grid[nx][ny] < 13;
    if (!strong && inWall && !isOnOpenSide(*o, x, y)) continue;
    if (!stampMode) {
      o->state[0] = 0;
    } else if (clearStamp) {
      if (o->openStamp == step) o->openStamp = 0;
    } else if (o->openStamp == 0 || o->openStamp > step) {
      o->openStamp = static_cast<int16_t>(step);
    }
  }
}

}  // namespace nvx
