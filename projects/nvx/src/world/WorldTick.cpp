#include <cstdlib>
#include <vector>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t noNotice = -1;
constexpr int32_t soundAlarm = 0;
constexpr int32_t soundSteal = 10;
constexpr int32_t soundBomb = 13;
constexpr int32_t ticksPerStep = 12;
constexpr int32_t stunnedByBlast = 10;
constexpr int32_t fuseSteps = 5;

// Sound of finished work by object type; -1 none.
constexpr int32_t workSounds[14] = {7, 12, 12, 12, 6, 3, 9, 1, 12, -1, 3, -1, 7, 3};

void playOnce(int32_t sound) {
  if (sound >= 0 && GameState::sounds) GameState::sounds->playOnce(sound, 0);
}

Person* crewAt(int32_t i) { return static_cast<Person*>(GameTables::activePersons->elementAt(i)); }

bool running() { return GameState::skipWorldLogic == 1; }

// Work units of an object type with the item in the person's pocket in use;
// -1 when the pocket holds no item of the table.
int32_t workUnits(const Person& p, int32_t type) {
  const int32_t item = static_cast<int8_t>(p.pockets[p.pocketSlot & 3] - 104);
  const auto& row = GameTables::objectChances[type];
  return item >= 0 && item < row->length() ? row[item] : -1;
}

void finishObjectAction(Person& p) {
  p.skipRepeats(p.action, p.direction);
  p.busy = 0;
  p.target = nullptr;
}

void finishWork(Person& p) {
  RoomObject& o = *p.target;
  const int32_t box = WorldRules::cellKey(o.x, o.y)->intValue();
  if (o.type == 6) {
    std::vector<qel::lang::DObjectPtr> guarded;
    for (qel::util::DEnumerationPtr keys = GameTables::alarmLinks->keys(); keys->hasMoreElements();) {
      qel::lang::DObjectPtr key = keys->nextElement();
      const auto* link = static_cast<qel::lang::DInteger*>(GameTables::alarmLinks->get(key));
      if (link && link->intValue() == box) guarded.push_back(key);
    }
    for (const auto& key : guarded) GameTables::alarmLinks->remove(key);
  } else if (o.type == 4) {
    if (p.takeLoot()) {
      o.state[1] = 0;
    } else if (o.amount != 0) {
      o.state[0] = static_cast<int8_t>(GameTables::objectChances[4][p.pockets[p.pocketSlot & 3] - 104]);
      o.state[1] = 8;
    } else {
      o.state[0] = 0;
      o.state[1] = 0;
    }
  }
  WorldRules::triggerAlarm(WorldRules::cellKey(o.x, o.y));
  WorldState::sceneDirty = 1;
  const int32_t type = o.type;
  finishObjectAction(p);
  playOnce(type < 14 ? workSounds[type] : -1);
}

// One work unit of a running take, work or plant step.
void workUnit(Person& p) {
  RoomObject& o = *p.target;
  switch (p.action) {
    case 3:
      if (o.state[1] >= 1 && o.state[0] <= 0) {
        o.state[1] = static_cast<int8_t>(o.state[1] - 1);
        if (o.state[1] < 1) {
          p.takeLoot();
          WorldState::sceneDirty = 1;
          finishObjectAction(p);
          playOnce(soundSteal);
        }
      } else {
        finishObjectAction(p);
      }
      break;
    case 4:
      if (o.state[0] < 1) {
        finishObjectAction(p);
        break;
      }
      o.state[0] = static_cast<int8_t>(o.state[0] - 1);
      if (o.state[0] <= 0) finishWork(p);
      break;
    case 5:
      if (o.state[0] < 1) break;
      o.state[0] = static_cast<int8_t>(o.state[0] - 1);
      if (o.state[0] <= 0) {
        o.state[1] = fuseSteps;
        WorldState::sceneDirty = 1;
        finishObjectAction(p);
      }
      break;
    default: break;
  }
}

// The selected person's next step in planning: a walk the keys start is
// recorded while the rest of the crew moves to its place at this step.
void startPlannedStep(Person& p) {
  if (WorldState::selectedPerson.get() != &p || !p.control()) return;
  p.busy = 1;
  LevelKeys::syncCrewToStep(p, true);
  p.recordSteps(1);
  ++WorldState::stepIndex;
}

// The next step of a person standing free in running. The leader follows
// the keys while selected in normal play, its plan only when departing.
void startRunningStep(Person& p, bool selected) {
  const bool leader = p.id == 0;
  if (!leader || WorldState::phase == 2 || WorldState::phase == 3) {
    p.playStep(false);
  } else if (selected && WorldState::phase == 0) {
    p.control();
  }
  switch (p.action) {
    case 1:
      if (!WorldRules::isBlockedByObject(p, false) && WorldRules::canStep(p, false)) {
        ++p.pathIndex;
        if (WorldState::phase == 2) ++WorldState::routeIndex[p.id];
        p.busy = 1;
      } else {
        p.action = 2;
      }
      break;
    case 2:
      if (!leader) {
        p.busy = 1;
        ++p.pathIndex;
      }
      break;
    case 3:
    case 4:
    case 5: {
      RoomObject* front = WorldRules::objectInFront(p);
      if (!front) break;
      const int32_t units = workUnits(p, front->type);
      if (p.action != 3 && units < 0) {
        // No item to work with: the step stands as a wait.
        p.action = 2;
        break;
      }
      p.target = front;
      p.stepTick = GameHelpers::randomInRange(0, 6);
      if (p.action == 5) {
        p.plantBomb(false)->state[0] = static_cast<int8_t>(units);
        WorldState::sceneDirty = 1;
      } else if (p.action == 4 && front->state[0] == RoomObject::closed) {
        front->state[0] = static_cast<int8_t>(units);
      }
      ++p.pathIndex;
      p.busy = 1;
      break;
    }
    case 6:
    case 7: p.action = 2; break;
    default: break;
  }
}

void stepPerson(Person& p) {
  const bool selected = WorldState::selectedPerson.get() == &p;
  if (selected && WorldState::phase == 0) ViewScene::centerViewOn(p.x, p.y, false, false, false);
  if (p.stunSteps >= 1) {
    if (++p.stepTick >= ticksPerStep) {
      p.stepTick = 0;
      --p.stunSteps;
    }
    return;
  }
  if (p.busy) {
    if (selected && GameState::pendingKey == GameState::noKey) GameState::heldKey = GameState::noKey;
    ++p.stepTick;
    if (!running()) WorldRules::drawTrailDot(p);
    if (p.stepTick < ticksPerStep) return;
    p.stepTick = 0;
    if (p.action == 1) {
      p.x = static_cast<int8_t>(p.x + GameTables::directionSteps[0][p.direction & 3]);
      p.y = static_cast<int8_t>(p.y + GameTables::directionSteps[1][p.direction & 3]);
      p.busy = 0;
      if (p.x == WorldState::exitX && p.y == WorldState::exitY) WorldRules::onReachExit();
    }
    if (!running() || p.action == 2) p.busy = 0;
    if (p.target) {
      if (!running()) {
        p.busy = 0;
        p.target = nullptr;
      } else {
        workUnit(p);
      }
    }
  }
  if (p.busy) return;
  if (running())
    startRunningStep(p, selected);
  else
    startPlannedStep(p);
}

}  // namespace

void WorldRules::drawTrailDot(const Person& p) {
  if (!WorldState::trailGraphics) return;
  int32_t dx = 0, dy = 0;
  if (p.action == 1) {
    dx = GameState::cellSize * p.stepTick / 12 * GameTables::directionSteps[0][p.direction & 3];
    dy = GameState::cellSize * p.stepTick / 12 * GameTables::directionSteps[1][p.direction & 3];
  }
  const int32_t side = GameState::screenHeight >= 401 ? 4 : 2;
  WorldState::trailGraphics->setColor(static_cast<uint32_t>(GameTables::colourTable[p.id]));
  WorldState::trailGraphics->setClip(0, 0, GameState::screenWidth, ViewScene::mapAreaHeight);
  WorldState::trailGraphics->fillRect(
      WorldState::mapOriginX + GameState::cellSize * p.x + dx + GameState::cellSize / 2 + p.id - 1,
      WorldState::mapOriginY + GameState::cellSize * p.y + dy + GameState::cellSize / 2 + p.id - 1,
      side,
      side);
}

void WorldRules::tickBombs() {
  if (!running() || GameTables::bombs->size() == 0) return;
  for (qel::util::DEnumerationPtr e = GameTables::bombs->elements(); e->hasMoreElements();) {
    RoomObject& bomb = *static_cast<RoomObject*>(e->nextElement());
    if (bomb.state[0] >= 1) continue;
    if (++bomb.amount >= ticksPerStep) {
      bomb.amount = 0;
      if (bomb.state[1] >= 0) {
        bomb.state[1] = static_cast<int8_t>(bomb.state[1] - 1);
        if (bomb.state[1] == 0) {
          playOnce(soundBomb);
          const bool strong = bomb.content == 'r';
          affectNeighbours(bomb.x, bomb.y, false, false, 0, strong, false);
          if (strong) affectNeighbours(bomb.x, bomb.y, false, false, 0, true, true);
          for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
            Person* p = crewAt(i);
            if (std::abs(p->x - bomb.x) < 2 && std::abs(p->y - bomb.y) < 2) p->stunSteps = stunnedByBlast;
          }
          WorldState::sceneDirty = 1;
        }
      }
    }
    if (bomb.state[1] < 0) WorldState::shakeOffset_ = 0;
  }
}

void WorldRules::worldTick() {
  if (WorldState::pendingNotice != noNotice) {
    const int32_t notice = WorldState::pendingNotice;
    WorldState::pendingNotice_ = noNotice;
    if ((notice == 185 || notice == 186) && Person::selected()) {
      const int32_t id = Person::selected()->id;
      DialogWindow::openDialog(0,
                               new qel::lang::DbyteArray(2, 0, WorldState::dialogParamByte, id),
                               notice,
                               nullptr,
                               DialogWindow::softKeysFor(1),
                               static_cast<int16_t>(Person::nameTextFirst + id));
      return;
    }
  }
  if (!WorldState::selectedPerson) return;
  if (GameState::selectionIndex == 255 || !GameTables::activePersons) {
    WorldState::selectedPerson = nullptr;
    ViewScene::invalidateScene();
    return;
  }
  if (running() && FrameClock::clockTick == 0 && WorldState::phase != 5) {
    ++WorldState::stepIndex;
    if (WorldState::stepIndex > GameState::levelCounter - 10 && GameState::difficulty >= 0 &&
        !WorldState::alarmSounding) {
      if (GameState::sounds) GameState::sounds->play(soundAlarm, true, 0);
      WorldState::alarmSounding_ = 1;
    } else if (WorldState::stepIndex == GameState::levelCounter - 1 && GameState::difficulty >= 0) {
      const Person* leader = static_cast<Person*>(GameTables::persons[0].get());
      if (leader && leader->x == WorldState::exitX && leader->y == WorldState::exitY && !leader->busy &&
          WorldState::phase == 0)
        depart();
    } else if (WorldState::stepIndex > GameState::levelCounter) {
      if (GameState::difficulty == -1) {
        GameState::levelEndFlag = 5;
        endLevel();
      } else if (WorldState::phase == 0) {
        GameState::levelEndFlag = 2;
        WorldState::vehicleSpeed = 4;
        WorldState::phaseCounter = 0;
        ViewScene::centerViewOnExit();
        stepVehicle();
        WorldState::phase = 4;
      }
    }
  }
  for (int32_t i = 0; i < GameTables::activePersons->size() && WorldState::phase != 5; ++i) {
    qel::lang::DPtr<Person> p = crewAt(i);
    stepPerson(*p);
  }
  tickBombs();
  stepVehicle();
  GameDialogs::showHint(running() ? 6 : 4, -1, 0, false);
}

}  // namespace nvx
