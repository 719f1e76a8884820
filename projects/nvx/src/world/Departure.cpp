#include <algorithm>
#include <cstdlib>

#include "gamelib/SoundManager.h"
#include "lang/DInteger.h"
#include "microedition/media/DPlayer.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr int32_t soundEffectsKind = 0;
constexpr int32_t soundJail = 4;
constexpr int32_t soundRob = 16;

Person* crewAt(int32_t i) { return static_cast<Person*>(MainCanvas::activePersons->elementAt(i)); }

bool onExit(const Person& p) { return p.x == MainCanvas::exitX && p.y == MainCanvas::exitY; }

int32_t lootValue(const Person& p) {
  int32_t value = 0;
  for (int32_t kind = 1; kind <= 5; ++kind) value += p.loot[kind] * MainCanvas::alarmTable[kind][0];
  return value;
}

RoomObject* objectAt(const qel::util::DHashtablePtr& table, int32_t x, int32_t y) {
  return static_cast<RoomObject*>(table->get(MainCanvas::cellKey(x, y)));
}

bool emptied(const RoomObject* o) { return o && o->state[1] < 1; }

bool explodedBomb(int32_t x, int32_t y, int32_t content) {
  const RoomObject* bomb = objectAt(MainCanvas::bombs, x, y);
  return bomb && bomb->content == content && bomb->state[1] < 1;
}

void playOnce(int32_t sound) {
  if (MainCanvas::sounds) MainCanvas::sounds->playOnce(sound, 0);
}

int32_t vehicleWidth() { return MainCanvas::spriteTable[MainCanvas::vehicleSprite][2]; }

// Moves the leaving vehicle; true on the tick its count off screen reaches 50.
bool driveOff() {
  MainCanvas::vehicleX -= MainCanvas::vehicleSpeed;
  ++MainCanvas::vehicleSpeed;
  if (MainCanvas::vehicleX + 2 * MainCanvas::cellSize >= 0) return false;
  return ++MainCanvas::phaseCounter >= 50;
}

void startPolice(int32_t speed) {
  MainCanvas::centerViewOnExit();
  MainCanvas::phaseCounter = 0;
  MainCanvas::phase = 4;
  MainCanvas::vehicleSpeed = speed;
}

}  // namespace

void WorldRules::onReachExit() {
  if (MainCanvas::skipWorldLogic != 1) {
    Person* selected = Person::selected();
    if (selected && onExit(*selected)) selected->planLoad = selected->load;
    return;
  }
  bool all = true;
  for (int32_t i = MainCanvas::activePersons->size() - 1; i >= 0; --i) {
    Person* p = crewAt(i);
    if (!onExit(*p)) {
      all = false;
      continue;
    }
    p->updateLoad();
    if (p->id == 0 && MainCanvas::selectedPerson.get() == p)
      MainCanvas::heldKey = MainCanvas::pendingKey = MainCanvas::noKey;
  }
  if (!all) return;
  if (MainCanvas::phase == 2) {
    MainCanvas::centerViewOnExit();
    MainCanvas::vehicleSpeed = 1;
    MainCanvas::phaseCounter = 0;
    MainCanvas::phase = 3;
  } else if (MainCanvas::phase == 0) {
    MainCanvas::openDialog(17, nullptr, 173, nullptr, MainCanvas::softKeysFor(2), 137);
  }
}

void WorldRules::depart() {
  MainCanvas::centerViewOnExit();
  MainCanvas::phase = 2;
  MainCanvas::levelEndFlag = MainCanvas::difficulty == -1 ? trainingResult() : 3;
  const int32_t remaining = MainCanvas::levelCounter - MainCanvas::stepIndex;
  for (int32_t i = MainCanvas::activePersons->size() - 1; i >= 0; --i) {
    qel::lang::DPtr<Person> p = crewAt(i);
    const int32_t distance = (std::abs(p->x - MainCanvas::exitX) + std::abs(p->y - MainCanvas::exitY)) * 2;
    if ((distance <= remaining && p->stunSteps < 1) || MainCanvas::difficulty == -1) {
      if (onExit(*p)) {
        if (p->action == 1) {
          p->action = 0;
          p->stepTick = 0;
          p->busy = 0;
        }
      } else {
        MainCanvas::latePenalty += lootValue(*p) * 50 / 100;
        p->stepTick = 0;
        p->busy = 0;
        p->x = static_cast<int8_t>(MainCanvas::exitX + MainCanvas::turnSteps[0][p->id]);
        p->y = static_cast<int8_t>(MainCanvas::exitY + MainCanvas::turnSteps[1][p->id]);
      }
      continue;
    }
    const int32_t bail = std::max(MainCanvas::difficultyTable[p->id][2] * 1000, lootValue(*p)) / 1000;
    p->clearLoot();
    p->loot[0] = static_cast<int16_t>(bail);
    p->updateLoad();
    MainCanvas::arrestsMade = 1;
    MainCanvas::savedIds->addElement(p);
    MainCanvas::activePersons->removeElementAt(i);
    if (p->id == 0) MainCanvas::levelEndFlag = 2;
  }
  if (MainCanvas::activePersons->size() == 0) {
    MainCanvas::phaseCounter = 0;
    MainCanvas::phase = 4;
    MainCanvas::vehicleSpeed = 4;
  }
  stepVehicle();
  onReachExit();
}

int8_t WorldRules::trainingResult() {
  bool reached = false;
  switch (MainCanvas::levelNumber) {
    case 1: {
      const RoomObject* o = objectAt(MainCanvas::roomObjects, 4, 4);
      reached = o && o->state[0] < 1;
      break;
    }
    case 2: reached = emptied(objectAt(MainCanvas::roomObjects, 3, 5)); break;
    case 3: reached = emptied(objectAt(MainCanvas::roomObjects, 3, 11)); break;
    case 4: reached = emptied(objectAt(MainCanvas::roomObjects, 5, 6)); break;
    case 5:
      reached = explodedBomb(4, 5, 'q') && explodedBomb(8, 5, 'r') && emptied(objectAt(MainCanvas::roomObjects, 9, 5));
      break;
    case 6: reached = emptied(objectAt(MainCanvas::roomObjects, 3, 6)); break;
    default: break;
  }
  return reached ? 4 : 5;
}

void WorldRules::stepVehicle() {
  const int32_t homeX = MainCanvas::exitX * MainCanvas::cellSize - MainCanvas::cellSize / 2 + MainCanvas::mapOriginX;
  if ((MainCanvas::phase == 0 || MainCanvas::phase == 2) && MainCanvas::pendingTransition != 3) {
    MainCanvas::vehicleX = homeX;
    MainCanvas::vehicleY = MainCanvas::mapOriginY + MainCanvas::exitY * MainCanvas::cellSize;
  }
  if (MainCanvas::phase != 4) {
    MainCanvas::policeOffset = -vehicleWidth();
    MainCanvas::policeY = MainCanvas::vehicleY;
  }
  switch (MainCanvas::phase) {
    case 1:
      if (driveOff()) endLevel();
      break;
    case 2: MainCanvas::vehicleSpeed = 1; break;
    case 3:
      if (driveOff()) {
        if (MainCanvas::stepIndex > MainCanvas::levelCounter - 30)
          startPolice(MainCanvas::policeStartSpeed);
        else
          endLevel();
      }
      break;
    case 4: {
      const int32_t gap = homeX - vehicleWidth() - MainCanvas::policeOffset - 4;
      if (gap >= 1) {
        MainCanvas::policeOffset += std::max(MainCanvas::vehicleSpeed, 1);
        if (gap < 15) --MainCanvas::vehicleSpeed;
      } else {
        ++MainCanvas::phaseCounter;
      }
      MainCanvas::policeY = MainCanvas::vehicleY;
      if (MainCanvas::phaseCounter >= 49) endLevel();
      break;
    }
    case 5:
      MainCanvas::vehicleX -= MainCanvas::vehicleSpeed;
      if (MainCanvas::vehicleX <= homeX) {
        if (MainCanvas::sounds) {
          MainCanvas::sounds->stop(-1, false);
          MainCanvas::sounds->play(soundRob, true, 0);
        }
        MainCanvas::phase = 0;
      }
      break;
    default: break;
  }
}

void WorldRules::endLevel() {
  MainCanvas::screenAnimation = nullptr;
  MainCanvas::phase = 0;
  switch (MainCanvas::levelEndFlag) {
    case 0:
    case 1:
    case 3: {
      int32_t total = 0;
      for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) {
        Person* p = crewAt(i);
        total += lootValue(*p);
        p->clearLoot();
        p->updateLoad();
      }
      MainCanvas::activePersons->removeElement(MainCanvas::persons[0]);
      if (total < 1) {
        MainCanvas::mapMessage = 152;
        MainCanvas::pendingTransition = 3;
        return;
      }
      if (MainCanvas::levelEndFlag == 3) total -= MainCanvas::latePenalty;
      int32_t shares = 0;
      for (int32_t i = MainCanvas::activePersons->size() - 1; i >= 0; --i)
        shares += MainCanvas::difficultyTable[crewAt(i)->id][1] * total / 100;
      MainCanvas::money += total - shares;
      MainCanvas::mapMessage = static_cast<int16_t>(MainCanvas::latePenalty < 1 ? 150 : 151);
      // A level without loot to aim at reads as 0 percent.
      const int32_t percent = MainCanvas::levelCounters[0] > 0 ? total * 100 / MainCanvas::levelCounters[0] : 0;
      MainCanvas::resultValues = new qel::lang::DObjectArray(3);
      MainCanvas::resultValues[0] = new qel::lang::DInteger(percent);
      MainCanvas::resultValues[1] = new qel::lang::DInteger(total);
      MainCanvas::resultValues[2] = new qel::lang::DInteger(total - shares);
      MainCanvas::pendingTransition = 3;
      return;
    }
    case 2: {
      const bool leaderJailed = MainCanvas::savedIds->contains(MainCanvas::persons[0]);
      const int32_t text = leaderJailed && MainCanvas::activePersons->size() > 0 ? 157 : 154;
      MainCanvas::openDialog(36,
                             new qel::lang::DbyteArray(2, 0, MainCanvas::jailParamByte, 0),
                             text,
                             nullptr,
                             MainCanvas::softKeysFor(1),
                             142);
      // The effects stop, the looping alarm among them.
      if (MainCanvas::sounds) MainCanvas::sounds->stop(soundEffectsKind, false);
      playOnce(soundJail);
      return;
    }
    case 4:
      MainCanvas::activePersons->removeElement(MainCanvas::persons[0]);
      MainCanvas::mapMessage = 153;
      MainCanvas::pendingTransition = 3;
      return;
    case 5:
      MainCanvas::activePersons->removeElement(MainCanvas::persons[0]);
      MainCanvas::openDialog(36, nullptr, 155, nullptr, MainCanvas::softKeysFor(1), 142);
      return;
    default: return;
  }
}

}  // namespace nvx
