#include "nvx/src/play/Commands.h"

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t noticeTitle = 137;
constexpr int32_t takeSteps = 8;
constexpr int32_t itemClasses = 12;

bool planning() { return GameState::skipWorldLogic == 0; }

bool holdsItem(int32_t code) { return code != Person::emptyPocket && code != 0; }

// Work steps of the object's kind with an item class; 0 when it does not apply.
int32_t workSteps(const RoomObject& o, int32_t itemClass) {
  if (itemClass < 0 || itemClass >= itemClasses || o.type < 0 || o.type >= GameTables::objectChances->length())
    return 0;
  const auto& row = GameTables::objectChances[o.type];
  return itemClass < row->length() ? row[itemClass] : 0;
}

// The pocket holding the n-th item in pocket order, -1 for none.
int32_t nthFilledPocket(const Person& p, int32_t n) {
  for (int32_t slot = 0; slot < 3; ++slot)
    if (holdsItem(p.pockets[slot]) && n-- == 0) return slot;
  return -1;
}

bool fitsThePlan(int32_t steps) { return WorldState::stepIndex + steps < LevelKeys::planSteps; }

qel::lang::DshortArrayPtr oneSoftKey() { return new qel::lang::DshortArray(1, 0, int16_t{126}); }

}  // namespace

void LevelCommands::notice(int32_t textId) {
  DialogWindow::openDialog(0, nullptr, textId, nullptr, oneSoftKey(), noticeTitle);
}

bool LevelCommands::showsOpen(const RoomObject& o) {
  if (!planning()) {
    if (o.state[0] > 0) return false;
  } else if (o.openStamp < 1 || o.openStamp > WorldState::stepIndex) {
    return false;
  }
  return (o.flags() & RoomObject::containerFlag) != 0;
}

int32_t LevelCommands::itemAction(const Person& p, int32_t itemClass) {
  if (!p.target || workSteps(*p.target, itemClass) <= 0) return itemDoesNotApply;
  const int32_t code = itemClass + 104;
  const int32_t action = code == 'q' || code == 'r' ? 5 : 4;
  return WorldRules::isOnOpenSide(*p.target, p.x, p.y) ? action : wrongSide;
}

void LevelCommands::offerObjectUse(Person& p) {
  p.target = WorldRules::objectInFront(p);
  if (!p.target) return;
  const RoomObject& o = *p.target;
  if (o.flags() & RoomObject::inertFlag) return;
  const bool inWall = o.x >= 0 && o.y >= 0 && o.x < WorldState::mapWidth && o.y < WorldState::mapHeight &&
                      WorldState::grid[o.x][o.y] < 13;
  if (inWall && !WorldRules::isOnOpenSide(o, p.x, p.y)) return;
  if (!planning()) {
    if (o.state[1] < 1) return;
    const auto* bomb = static_cast<const RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(p.x, p.y)));
    if (bomb && bomb->state[1] >= 0) {
      notice(171);
      return;
    }
  } else if (o.takeStamp >= 1 && o.takeStamp <= WorldState::stepIndex) {
    return;
  }

  qel::lang::DshortArrayPtr ids;
  qel::lang::DObjectArrayPtr icons;
  if (showsOpen(o)) {
    ids = new qel::lang::DshortArray(1, 0, int16_t{119});
    icons = new qel::lang::DObjectArray(1);
    icons[0] = new qel::lang::DbyteArray(2, 0, WorldState::takeIconSet, 0);
  } else {
    int32_t filled = 0;
    while (nthFilledPocket(p, filled) >= 0) ++filled;
    if (filled == 0) {
      notice(170);
      return;
    }
    ids = new qel::lang::DshortArray(filled);
    icons = new qel::lang::DObjectArray(filled);
    for (int32_t i = 0; i < filled; ++i) {
      const int32_t code = p.pockets[nthFilledPocket(p, i)];
      ids[i] = static_cast<int16_t>(code);
      icons[i] = new qel::lang::DbyteArray(2, 0, SpriteRows::spriteItemIcons, code - 104);
    }
  }
  DialogWindow::openListDialog(8, DialogWindow::kindOptions, nullptr, ids, icons, nullptr, nullptr, 139, 2);
}

void LevelCommands::useChosenEntry(int32_t n) {
  Person* p = Person::selected();
  if (!p) return;
  if (!p->target) {
    notice(169);
    return;
  }
  if (n == 0 && showsOpen(*p->target)) {
    if (fitsThePlan(takeSteps)) {
      p->action = 3;
      p->useObject(takeSteps, true);
    }
    return;
  }
  const int32_t slot = nthFilledPocket(*p, n);
  if (slot >= 0) useItem(*p, slot);
}

void LevelCommands::useItem(Person& p, int32_t slot) {
  const int32_t itemClass = p.pockets[slot] - 104;
  const int32_t action = itemAction(p, itemClass);
  p.pocketSlot = slot;
  if (action == wrongSide) {
    notice(168);
    return;
  }
  if (action == itemDoesNotApply) {
    notice(166);
    return;
  }
  const int32_t steps = workSteps(*p.target, itemClass);
  if (!fitsThePlan(steps)) return;
  if (action == 4) {
    p.action = 4;
    p.useObject(steps, true);
    if (!planning() && p.target && p.target->state[0] == RoomObject::closed)
      p.target->state[0] = static_cast<int8_t>(steps);
    return;
  }
  if (planning()) {
    if (const auto* bomb = static_cast<const RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(p.x, p.y)))) {
      const int32_t t = bomb->openStamp;
      qel::lang::DObjectArrayPtr clock = new qel::lang::DObjectArray(3);
      clock[0] = new qel::lang::DInteger(t / 60);
      clock[1] = new qel::lang::DInteger(t % 60 / 10);
      clock[2] = new qel::lang::DInteger(t % 10);
      DialogWindow::openDialog(0, nullptr, 172, clock, oneSoftKey(), noticeTitle);
      return;
    }
  }
  p.action = 5;
  p.useObject(steps, true);
}

void LevelCommands::runPersonCommand(int32_t command) {
  Person* p = Person::selected();
  if (!p) return;
  switch (command) {
    case 117: WorldRules::depart(); break;
    case 118:
      p->load = static_cast<int8_t>(p->load - p->getPocketsWeight());
      p->planLoad = p->load;
      p->emptyPockets(false);
      p->load = p->planLoad;
      break;
    case 120: GameState::pendingTransition = 3; break;
    case 121:
      p->undoAll();
      ViewScene::centerViewOn(p->x, p->y, true, false, false);
      for (int32_t i = 0; i < GameTables::activePersons->size(); ++i)
        static_cast<Person*>(GameTables::activePersons->elementAt(i))->resetToStart();
      break;
    default: break;
  }
}

void LevelCommands::leaveWithCrew() {
  GameState::levelEndFlag = GameState::difficulty == -1 ? WorldRules::trainingResult() : 1;
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
    Person& p = *static_cast<Person*>(GameTables::activePersons->elementAt(i));
    p.busy = 0;
    p.stepTick = 0;
    p.action = 0;
  }
  WorldState::vehicleSpeed = 1;
  WorldState::phaseCounter = 0;
  WorldState::phase = 1;
}

void LevelCommands::failLevel() {
  if (GameState::retriesLeft < 1) {
    DialogWindow::openDialog(
        32, new qel::lang::DbyteArray(2, 0, WorldState::dialogParamByte, 6), 162, nullptr, oneSoftKey(), 163);
    return;
  }
  qel::lang::DObjectArrayPtr retries = new qel::lang::DObjectArray(1);
  if (GameState::difficulty <= 0) {
    retries[0] = new qel::lang::DShort(257);
  } else {
    --GameState::retriesLeft;
    retries[0] = new qel::lang::DInteger(GameState::retriesLeft);
  }
  DialogWindow::openDialog(35, nullptr, 158, retries, oneSoftKey(), 191);
}

void LevelCommands::retryFailedLevel() {
  GameStore::saveSlotCounter();
  LevelStart::retryLevel();
  GameState::pendingTransition = 3;
}

void LevelCommands::endGame() {
  GameStore::deleteSave();
  GameState::winnerRow = 0;
  BestResults::enterBestResults();
}

}  // namespace nvx
