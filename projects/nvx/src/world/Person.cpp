#include "nvx/src/world/Person.h"

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray2d.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/Commands.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {

namespace ExceptionCode = qel::lang::ExceptionCode;
using qel::lang::throwException;

namespace {

constexpr int8_t actionStand = 0;
constexpr int8_t actionWalk = 1;
constexpr int8_t actionWait = 2;
constexpr int8_t actionTake = 3;
constexpr int8_t actionWork = 4;
constexpr int8_t actionPlant = 5;

int32_t stepX(int32_t direction) { return GameTables::directionSteps[0][direction & 3]; }
int32_t stepY(int32_t direction) { return GameTables::directionSteps[1][direction & 3]; }

int32_t itemClassOf(int32_t code) { return static_cast<int8_t>(code - 104); }

bool holdsItem(int32_t code) { return code != Person::emptyPocket && code != 0; }

}  // namespace

Person::Person(int32_t id)
    : id(id),
      steps(new qel::util::DVector(16)),
      loot(new qel::lang::DshortArray(6)),
      pockets(new qel::lang::DbyteArray(3)) {
  emptyPockets(false);
}

Person* Person::selected() { return dynamic_cast<Person*>(WorldState::selectedPerson.get()); }

bool Person::isWorking() const { return action == actionTake || action == actionWork || action == actionPlant; }

Path* Person::getStep(int32_t i) const {
  if (steps->size() == 0 || i >= steps->size()) return nullptr;
  if (i < 0) throwException(ExceptionCode::ArrayIndexOutOfBounds);
  return static_cast<Path*>(steps->elementAt(i));
}

bool Person::computeTarget() const {
  WorldState::targetX_ = x + stepX(direction);
  WorldState::targetY_ = y + stepY(direction);
  return WorldState::targetX >= 0 && WorldState::targetX < WorldState::mapWidth && WorldState::targetY >= 0 &&
         WorldState::targetY < WorldState::mapHeight;
}

int8_t Person::getPocketsWeight() const {
  int32_t weight = 0;
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t code = pockets[i];
    if (!holdsItem(code)) continue;
    const int32_t item = itemClassOf(code);
    if (item >= 0 && item < GameTables::itemTable->length()) weight += GameTables::itemTable[item][1];
  }
  return static_cast<int8_t>(weight);
}

void Person::paintOffset(int32_t& dx, int32_t& dy) const {
  dx = dy = 0;
  if (action == actionWalk && stunSteps < 1) {
    const int32_t distance = GameState::cellSize * stepTick / 12;
    dx = distance * stepX(direction);
    dy = distance * stepY(direction);
  } else if (isWorking() && target) {
    const int32_t reach = GameTables::objectTypeTable[target->type][6] * (GameState::screenHeight > 320 ? 2 : 1);
    dx = stepX(direction) * reach;
    dy = stepY(direction) * reach;
  }
}

void Person::getScreenPosition(int32_t& outX, int32_t& outY) const {
  int32_t dx, dy;
  paintOffset(dx, dy);
  outX = x * GameState::cellSize + GameState::cellSize / 2 + WorldState::mapOriginX + dx;
  outY = y * GameState::cellSize + GameState::cellSize / 2 + WorldState::mapOriginY + dy;
}

void Person::resetPlan() {
  // Entry 0, not the person's own: the routes are rewound by resetToStart.
  WorldState::routeIndex[0] = 0;
  x = WorldState::exitX;
  y = WorldState::exitY;
  stunSteps = 0;
  steps->removeAllElements();
  steps->addElement(new Path(WorldState::exitX, WorldState::exitY, 0, 0, 0));
}

void Person::resetToStart() {
  WorldState::routeIndex[id] = 0;
  pathIndex = 0;
  action = actionStand;
  if (const Path* first = getStep(0)) {
    x = first->x;
    y = first->y;
    stepTick = 0;
  }
  busy = 0;
  target = nullptr;
  stunSteps = 0;
  load = getPocketsWeight();
}

void Person::recordSteps(int32_t n) {
  int32_t cx = x, cy = y;
  for (int32_t i = 0; i < n; ++i) {
    Path* step = getStep(WorldState::stepIndex + i);
    if (!step) throwException(ExceptionCode::ArrayIndexOutOfBounds);
    step->x = static_cast<int8_t>(cx);
    step->y = static_cast<int8_t>(cy);
    step->setAction(action);
    step->setDirection(static_cast<int8_t>(direction));
    step->setItemSlot(static_cast<int8_t>(pocketSlot));
    if (action == actionWalk) {
      cx += stepX(direction);
      cy += stepY(direction);
    }
    steps->addElement(new Path(cx, cy, 0, direction, 0));
  }
}

void Person::playStep(bool takePosition) {
  if (WorldState::phase == 3) {
    action = actionWait;
  } else if (WorldState::phase == 2) {
    if (x == WorldState::exitX && y == WorldState::exitY) {
      action = actionStand;
    } else if (WorldState::routeIndex[id] < 3) {
      const auto* route = static_cast<const Path*>(GameTables::routeTable[id][WorldState::routeIndex[id]].get());
      action = static_cast<int8_t>(route->getAction());
      direction = route->getDirection();
    } else {
      action = actionStand;
    }
  } else if (const Path* step = getStep(pathIndex)) {
    action = static_cast<int8_t>(step->getAction());
    direction = step->getDirection();
    pocketSlot = step->getItemSlot();
    if (takePosition) {
      x = step->x;
      y = step->y;
    }
  } else {
    action = actionStand;
  }
}

void Person::skipRepeats(int32_t a, int32_t d) {
  // Leaves pathIndex on the first step that differs, the next one to play;
  // bounded by the plan, past whose end playStep answers "stand".
  while (action == a && direction == d && pathIndex <= steps->size()) {
    playStep(false);
    ++pathIndex;
  }
  --pathIndex;
}

void Person::undoStep() {
  pathIndex = static_cast<int16_t>(WorldState::stepIndex - 1);
  const bool fromFirstStep = pathIndex == 0;
  playStep(fromFirstStep);
  const int32_t a0 = action, d0 = direction, s0 = WorldState::stepIndex;

  bool clearOpen = false, clearTake = false;
  if (a0 == actionTake || a0 == actionWork || a0 == actionPlant) {
    target = WorldRules::objectInFront(*this);
    if (target) {
      clearTake = a0 == actionTake;
      clearOpen = a0 != actionTake;
      if (a0 == actionPlant) {
        target = static_cast<RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(x, y)));
        if (target) {
          const bool strong = target->content == 'r';
          WorldRules::affectNeighbours(x, y, true, true, pathIndex + 6, strong, false);
          if (strong) WorldRules::affectNeighbours(x, y, true, true, pathIndex + 6, strong, true);
          GameTables::bombs->remove(WorldRules::cellKey(x, y));
        }
      }
    }
  }

  while (action == a0 && direction == d0 && WorldState::stepIndex > 0) {
    busy = 1;
    --WorldState::stepIndex;
    steps->removeElementAt(WorldState::stepIndex);
    pathIndex = static_cast<int16_t>(WorldState::stepIndex == 0 ? 0 : WorldState::stepIndex - 1);
    playStep(!fromFirstStep);
    if (action == actionWalk) {
      pathIndex = WorldState::stepIndex;
      x = static_cast<int8_t>(x + stepX(direction));
      y = static_cast<int8_t>(y + stepY(direction));
    } else if (action == actionWait) {
      pathIndex = WorldState::stepIndex;
    }
    Path* placeholder = getStep(WorldState::stepIndex);
    if (!placeholder) throwException(ExceptionCode::ArrayIndexOutOfBounds);
    placeholder->x = x;
    placeholder->y = y;
    placeholder->setAction(actionStand);
    placeholder->setDirection(direction);
    placeholder->setItemSlot(pocketSlot);
    if (action == actionWalk || action == actionWait) break;
  }

  busy = 0;
  if (target) {
    const auto undone = [&](int16_t stamp) { return stamp > WorldState::stepIndex && stamp <= s0; };
    if (clearOpen && undone(target->openStamp)) target->openStamp = 0;
    if (clearTake && undone(target->takeStamp)) target->takeStamp = 0;
  }
}

void Person::undoAll() {
  while (steps->size() >= 2) {
    WorldState::stepIndex = static_cast<int16_t>(steps->size() - 1);
    undoStep();
  }
  resetPlan();
}

bool Person::control() {
  if (WorldState::stepIndex >= lastPlanStep) return false;
  const int32_t key = GameState::pendingKey;
  int32_t keyAction;
  if (key != GameState::noKey) {
    GameState::heldKey = GameState::noKey;
    keyAction = KeyInput::keyAction(key);
  } else {
    keyAction = KeyInput::keyActionOfHeld(GameState::heldKey);
  }
  switch (keyAction) {
    case KeyInput::actionUp: direction = 1; break;
    case KeyInput::actionDown: direction = 3; break;
    case KeyInput::actionLeft: direction = 0; break;
    case KeyInput::actionRight: direction = 2; break;
    default: action = actionWait; return false;
  }
  const bool planning = GameState::skipWorldLogic == 0;
  if (WorldRules::isBlockedByObject(*this, planning)) {
    if (action == actionWalk) {
      action = actionWait;
      GameState::pendingKey = GameState::noKey;
    } else {
      LevelCommands::offerObjectUse(*this);
    }
    return false;
  }
  if (WorldRules::canStep(*this, planning)) {
    action = actionWalk;
    return true;
  }
  action = actionWait;
  return false;
}

void Person::useObject(int32_t n, bool busyFlag) {
  busy = 1;
  if (GameState::skipWorldLogic == 1) {
    if (action == actionPlant) plantBomb(false)->state[0] = static_cast<int8_t>(n);
    return;
  }
  if (action == actionPlant && GameTables::bombs->containsKey(WorldRules::cellKey(x, y))) {
    DialogWindow::openDialog(0, nullptr, 172, nullptr, DialogWindow::softKeysFor(1), 137);
    return;
  }
  recordSteps(n);
  WorldState::stepIndex = static_cast<int16_t>(WorldState::stepIndex + n - 1);
  LevelKeys::syncCrewToStep(*this, busyFlag);
  WorldState::stepIndex = static_cast<int16_t>(WorldState::stepIndex + 1);
  if (!target) return;
  if (action == actionTake) {
    target->takeStamp = WorldState::stepIndex;
    ViewScene::invalidateScene();
    checkPlannedLoad();
  } else if (action == actionWork) {
    target->openStamp = WorldState::stepIndex;
    ViewScene::invalidateScene();
    if (pockets[pocketSlot % 3] == 's') checkPlannedLoad();
  } else if (action == actionPlant) {
    const RoomObjectPtr bomb = plantBomb(true);
    const bool strong = bomb->content == 'r';
    const int32_t due = WorldState::stepIndex + 5;
    WorldRules::affectNeighbours(x, y, true, false, due, strong, false);
    if (strong) WorldRules::affectNeighbours(x, y, true, false, due, strong, true);
    bomb->openStamp = static_cast<int16_t>(due);
    ViewScene::invalidateScene();
  }
}

RoomObjectPtr Person::plantBomb(bool planned) {
  RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, x, y, direction, planned, pockets[pocketSlot % 3], 0);
  target = bomb;
  GameTables::bombs->put(WorldRules::cellKey(x, y), bomb);
  return bomb;
}

void Person::checkPlannedLoad() {
  const int32_t kind = target->content;
  if (kind <= 0 || kind > 5 || target->amount < 1 || GameTables::levelTotals[kind] > 0) return;
  const int32_t weight = GameTables::alarmTable[kind][1];
  const int32_t capacity = GameTables::difficultyTable[id][0];
  if (planLoad + weight > capacity) WorldState::pendingNotice_ = capacity - getPocketsWeight() < weight ? 186 : 185;
}

bool Person::takeLoot() {
  if (!target || target->content <= 0 || target->content > 5 || target->amount < 1) return false;
  const int32_t kind = target->content;
  const int32_t weight = GameTables::alarmTable[kind][1];
  if (GameTables::difficultyTable[id][0] - load >= weight) {
    loot[kind] = static_cast<int16_t>(loot[kind] + target->amount);
    load = static_cast<int8_t>(load + weight);
    return true;
  }
  target->state[1] = RoomObject::initialTakeSteps;
  DialogWindow::openDialog(0,
                           new qel::lang::DbyteArray(2, 0, WorldState::dialogParamByte, id),
                           184,
                           nullptr,
                           DialogWindow::softKeysFor(1),
                           static_cast<int16_t>(nameTextFirst + id));
  return false;
}

void Person::emptyPockets(bool credit) {
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t code = pockets[i];
    pockets[i] = emptyPocket;
    const int32_t item = itemClassOf(code);
    if (credit && holdsItem(code) && item >= 0 && item < GameTables::itemTable->length())
      GameState::money += GameTables::itemTable[item][0];
  }
  load = 0;
}

void Person::clearLoot() {
  for (int32_t k = 1; k <= 5; ++k) loot[k] = 0;
}

int8_t Person::updateLoad() {
  load = getPocketsWeight();
  return load;
}

void Person::paint(const qel::lcdui::DGraphicsPtr& g) {
  int32_t dx, dy;
  paintOffset(dx, dy);
  const int32_t px = WorldState::mapOriginX + x * GameState::cellSize + dx;
  const int32_t py = WorldState::mapOriginY + y * GameState::cellSize + dy;
  if (GameState::skipWorldLogic != 1)
    paintPlanning(g, px, py);
  else
    paintRunning(g, px, py);
}

void Person::paintPlanning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py) {
  const int32_t e = GameState::screenHeight >= 401 ? 1 : 0;
  SpriteDrawing::drawSpriteFrame(g, WorldRules::planPersonSprites, direction & 3, px + id + e, py + id + e);
  if (WorldState::selectedPerson.get() != this) return;
  const int32_t signOffset = id + e + GameState::cellSize / 2 - 3 - (GameState::screenHeight >= 401 ? 3 : 0);
  if (FrameClock::clockTick >= 7 && busy == 0)
    SpriteDrawing::drawSpriteFrame(g, WorldRules::planSignSprites, id - 1, px + signOffset, py + signOffset);
  if (x == WorldState::exitX && y == WorldState::exitY) planLoad = load;
  if (GameState::touchInput == 0) return;
  g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
  const auto& sign = GameTables::spriteTable[WorldRules::planSignSprites];
  const int32_t centreX = px + signOffset + sign[2] / 2, centreY = py + signOffset + sign[3] / 2;
  for (int32_t d = 0; d < 4; ++d) {
    const qel::lcdui::DImagePtr arrows[4] = {
        GameState::arrowLeft, GameState::arrowUp, GameState::arrowRight, GameState::arrowDown};
    const qel::lcdui::DImagePtr& arrow = arrows[d];
    if (!arrow) continue;
    const int32_t alpha = action == actionWalk && direction == d ? 128 : 50;
    g->drawImage(arrow,
                 centreX + stepX(d) * 3 * GameState::cellSize / 5,
                 centreY + stepY(d) * 3 * GameState::cellSize / 5,
                 alpha,
                 qel::lcdui::DGraphics::HCENTER | qel::lcdui::DGraphics::VCENTER,
                 0,
                 nullptr);
  }
}

int32_t Person::runningFrame() const {
  if (stunSteps >= 1) {
    const int32_t stunned = GameTables::animationFrames[15][0];
    const int32_t still = GameTables::animationFrames[14][0];
    return stunned != still ? stunned + 4 * direction : still;
  }
  int32_t row = action;
  if (action == actionWork) {
    const int32_t item = itemClassOf(pockets[pocketSlot]);
    row = item >= 0 && item < GameTables::itemTable->length() ? GameTables::itemTable[item][3] : action;
  }
  return GameTables::animationFrames[row][stepTick] + 4 * direction;
}

void Person::paintRunning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py) {
  const bool onExit = x == WorldState::exitX && y == WorldState::exitY;
  const bool moving = action == actionWalk && stunSteps < 1;
  if (!moving && onExit) return;
  const bool facesExit = x + stepX(direction) == WorldState::exitX && y + stepY(direction) == WorldState::exitY;
  if (moving && (onExit || facesExit) && stepX(direction) == 0) {
    // The cell on the far side of the exit from this person's row.
    const int32_t otherY = onExit ? y + stepY(direction) : y;
    if (otherY < WorldState::exitY) WorldState::exitMoveNorth = 1;
    if (otherY > WorldState::exitY) WorldState::exitMoveSouth = 1;
  }
  SpriteDrawing::drawSpriteFrame(g, WorldRules::personSprites, runningFrame(), px, py);
  if (WorldState::selectedPerson.get() == this) SpriteDrawing::drawSpriteFrame(g, WorldRules::personSprites, 7, px, py);
}

}  // namespace nvx
