#include <algorithm>
#include <cstdlib>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t soundEffectsKind = 0;
constexpr int32_t soundJail = 4;
constexpr int32_t soundRob = 16;

Person* crewAt(int32_t i) { return static_cast<Person*>(GameTables::activePersons->elementAt(i)); }

bool onExit(const Person& p) { return p.x == WorldState::exitX && p.y == WorldState::exitY; }

int32_t lootValue(const Person& p) {
  int32_t value = 0;
  for (int32_t kind = 1; kind <= 5; ++kind) value += p.loot[kind] * GameTables::alarmTable[kind][0];
  return value;
}

RoomObject* objectAt(const qel::util::DHashtablePtr& table, int32_t x, int32_t y) {
  return static_cast<RoomObject*>(table->get(WorldRules::cellKey(x, y)));
}

bool emptied(const RoomObject* o) { return o && o->state[1] < 1; }

bool explodedBomb(int32_t x, int32_t y, int32_t content) {
  const RoomObject* bomb = objectAt(GameTables::bombs, x, y);
  return bomb && bomb->content == content && bomb->state[1] < 1;
}

void playOnce(int32_t sound) {
  if (GameState::sounds) GameState::sounds->playOnce(sound, 0);
}

int32_t vehicleWidth() { return GameTables::spriteTable[WorldRules::vehicleSprite][2]; }

// Moves the leaving vehicle; true on the tick its count off screen reaches 50.
bool driveOff() {
  WorldState::vehicleX -= WorldState::vehicleSpeed;
  ++WorldState::vehicleSpeed;
  if (WorldState::vehicleX + 2 * GameState::cellSize >= 0) return false;
  return ++WorldState::phaseCounter >= 50;
}

void startPolice(int32_t speed) {
  ViewScene::centerViewOnExit();
  WorldState::phaseCounter = 0;
  WorldState::phase = 4;
  WorldState::vehicleSpeed = speed;
}

}  // namespace

void WorldRules::onReachExit() {
  if (GameState::skipWorldLogic != 1) {
    Person* selected = Person::selected();
    if (selected && onExit(*selected)) selected->planLoad = selected->load;
    return;
  }
  bool all = true;
  for (int32_t i = GameTables::activePersons->size() - 1; i >= 0; --i) {
    Person* p = crewAt(i);
    if (!onExit(*p)) {
      all = false;
      continue;
    }
    p->updateLoad();
    if (p->id == 0 && WorldState::selectedPerson.get() == p)
      GameState::heldKey = GameState::pendingKey = GameState::noKey;
  }
  if (!all) return;
  if (WorldState::phase == 2) {
    ViewScene::centerViewOnExit();
    WorldState::vehicleSpeed = 1;
    WorldState::phaseCounter = 0;
    WorldState::phase = 3;
  } else if (WorldState::phase == 0) {
    DialogWindow::openDialog(17, nullptr, 173, nullptr, DialogWindow::softKeysFor(2), 137);
  }
}

void WorldRules::depart() {
  ViewScene::centerViewOnExit();
  WorldState::phase = 2;
  GameState::levelEndFlag = GameState::difficulty == -1 ? trainingResult() : 3;
  const int32_t remaining = GameState::levelCounter - WorldState::stepIndex;
  for (int32_t i = GameTables::activePersons->size() - 1; i >= 0; --i) {
    qel::lang::DPtr<Person> p = crewAt(i);
    const int32_t distance = (std::abs(p->x - WorldState::exitX) + std::abs(p->y - WorldState::exitY)) * 2;
    if ((distance <= remaining && p->stunSteps < 1) || GameState::difficulty == -1) {
      if (onExit(*p)) {
        if (p->action == 1) {
          p->action = 0;
          p->stepTick = 0;
          p->busy = 0;
        }
      } else {
        WorldState::latePenalty_ += lootValue(*p) * 50 / 100;
        p->stepTick = 0;
        p->busy = 0;
        p->x = static_cast<int8_t>(WorldState::exitX + GameTables::turnSteps[0][p->id]);
        p->y = static_cast<int8_t>(WorldState::exitY + GameTables::turnSteps[1][p->id]);
      }
      continue;
    }
    const int32_t bail = std::max(GameTables::difficultyTable[p->id][2] * 1000, lootValue(*p)) / 1000;
    p->clearLoot();
    p->loot[0] = static_cast<int16_t>(bail);
    p->updateLoad();
    WorldState::arrestsMade_ = 1;
    GameTables::savedIds->addElement(p);
    GameTables::activePersons->removeElementAt(i);
    if (p->id == 0) GameState::levelEndFlag = 2;
  }
  if (GameTables::activePersons->size() == 0) {
    WorldState::phaseCounter = 0;
    WorldState::phase = 4;
    WorldState::vehicleSpeed = 4;
  }
  stepVehicle();
  onReachExit();
}

int8_t WorldRules::trainingResult() {
  bool reached = false;
  switch (GameState::levelNumber) {
    case 1: {
      const RoomObject* o = objectAt(GameTables::roomObjects, 4, 4);
      reached = o && o->state[0] < 1;
      break;
    }
    case 2: reached = emptied(objectAt(GameTables::roomObjects, 3, 5)); break;
    case 3: reached = emptied(objectAt(GameTables::roomObjects, 3, 11)); break;
    case 4: reached = emptied(objectAt(GameTables::roomObjects, 5, 6)); break;
    case 5:
      reached = explodedBomb(4, 5, 'q') && explodedBomb(8, 5, 'r') && emptied(objectAt(GameTables::roomObjects, 9, 5));
      break;
    case 6: reached = emptied(objectAt(GameTables::roomObjects, 3, 6)); break;
    default: break;
  }
  return reached ? 4 : 5;
}

void WorldRules::stepVehicle() {
  const int32_t homeX = WorldState::exitX * GameState::cellSize - GameState::cellSize / 2 + WorldState::mapOriginX;
  if ((WorldState::phase == 0 || WorldState::phase == 2) && GameState::pendingTransition != 3) {
    WorldState::vehicleX = homeX;
    WorldState::vehicleY_ = WorldState::mapOriginY + WorldState::exitY * GameState::cellSize;
  }
  if (WorldState::phase != 4) {
    WorldState::policeOffset_ = -vehicleWidth();
    WorldState::policeY_ = WorldState::vehicleY;
  }
  switch (WorldState::phase) {
    case 1:
      if (driveOff()) endLevel();
      break;
    case 2: WorldState::vehicleSpeed = 1; break;
    case 3:
      if (driveOff()) {
        if (WorldState::stepIndex > GameState::levelCounter - 30)
          startPolice(WorldState::policeStartSpeed);
        else
          endLevel();
      }
      break;
    case 4: {
      const int32_t gap = homeX - vehicleWidth() - WorldState::policeOffset - 4;
      if (gap >= 1) {
        WorldState::policeOffset_ += std::max(WorldState::vehicleSpeed, 1);
        if (gap < 15) --WorldState::vehicleSpeed;
      } else {
        ++WorldState::phaseCounter;
      }
      WorldState::policeY_ = WorldState::vehicleY;
      if (WorldState::phaseCounter >= 49) endLevel();
      break;
    }
    case 5:
      WorldState::vehicleX -= WorldState::vehicleSpeed;
      if (WorldState::vehicleX <= homeX) {
        if (GameState::sounds) {
          GameState::sounds->stop(-1, false);
          GameState::sounds->play(soundRob, true, 0);
        }
        WorldState::phase = 0;
      }
      break;
    default: break;
  }
}

void WorldRules::endLevel() {
  WorldState::screenAnimation = nullptr;
  WorldState::phase = 0;
  switch (GameState::levelEndFlag) {
    case 0:
    case 1:
    case 3: {
      int32_t total = 0;
      for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
        Person* p = crewAt(i);
        total += lootValue(*p);
        p->clearLoot();
        p->updateLoad();
      }
      GameTables::activePersons->removeElement(GameTables::persons[0]);
      if (total < 1) {
        GameState::mapMessage = 152;
        GameState::pendingTransition = 3;
        return;
      }
      if (GameState::levelEndFlag == 3) total -= WorldState::latePenalty;
      int32_t shares = 0;
      for (int32_t i = GameTables::activePersons->size() - 1; i >= 0; --i)
        shares += GameTables::difficultyTable[crewAt(i)->id][1] * total / 100;
      GameState::money += total - shares;
      GameState::mapMessage = static_cast<int16_t>(WorldState::latePenalty < 1 ? 150 : 151);
      // A level without loot to aim at reads as 0 percent.
      const int32_t percent = GameTables::levelCounters[0] > 0 ? total * 100 / GameTables::levelCounters[0] : 0;
      WorldState::resultValues = new qel::lang::DObjectArray(3);
      WorldState::resultValues[0] = new qel::lang::DInteger(percent);
      WorldState::resultValues[1] = new qel::lang::DInteger(total);
      WorldState::resultValues[2] = new qel::lang::DInteger(total - shares);
      GameState::pendingTransition = 3;
      return;
    }
    case 2: {
      const bool leaderJailed = GameTables::savedIds->contains(GameTables::persons[0]);
      const int32_t text = leaderJailed && GameTables::activePersons->size() > 0 ? 157 : 154;
      DialogWindow::openDialog(36,
                               new qel::lang::DbyteArray(2, 0, WorldState::jailParamByte, 0),
                               text,
                               nullptr,
                               DialogWindow::softKeysFor(1),
                               142);
      // The effects stop, the looping alarm among them.
      if (GameState::sounds) GameState::sounds->stop(soundEffectsKind, false);
      playOnce(soundJail);
      return;
    }
    case 4:
      GameTables::activePersons->removeElement(GameTables::persons[0]);
      GameState::mapMessage = 153;
      GameState::pendingTransition = 3;
      return;
    case 5:
      GameTables::activePersons->removeElement(GameTables::persons[0]);
      DialogWindow::openDialog(36, nullptr, 155, nullptr, DialogWindow::softKeysFor(1), 142);
      return;
    default: return;
  }
}

}  // namespace nvx
