#include "nvx/src/play/Keys.h"

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

namespace {

constexpr int32_t undoAction = 0;
constexpr int32_t waitAction = 1;
constexpr int32_t itemListAction = 6;
constexpr int32_t centreAction = 7;
constexpr int32_t parkAction = 9;
constexpr int32_t personMenuAction = 10;
constexpr int32_t nextPersonAction = 11;
constexpr int32_t itemClasses = 12;

bool planning() { return GameState::skipWorldLogic == 0; }

// The wait and undo keys repeat at four phases of the clock's cycle.
bool repeatPhase() { return FrameClock::clockPhase % 3 == 0 && GameState::halfSecondCount >= 3; }

void centreOn(const Person& p) { ViewScene::centerViewOn(p.x, p.y, true, false, false); }

// Turns the page to the person's cell, centring it when the view moves.
void bringIntoView(const Person& p) { ViewScene::centerViewOn(p.x, p.y, false, true, false); }

// The soft key without a person selected: the parked person again, or the
// map screen when nobody takes part.
void returnToParked() {
  if (!GameTables::activePersons || GameTables::activePersons->size() == 0) {
    GameState::pendingTransition = 3;
    return;
  }
  GameState::pendingKey = GameState::noKey;
  LevelKeys::selectPerson(GameState::parkedSelection);
}

// The person at selectionIndex, which may differ from the selected person
// for the tick after parking; null when it names nobody.
Person* personAtSelection() {
  const qel::util::DVectorPtr& crew = GameTables::activePersons;
  if (!crew || GameState::selectionIndex >= crew->size()) return nullptr;
  return static_cast<Person*>(crew->elementAt(GameState::selectionIndex));
}

}  // namespace

void LevelKeys::handleLevelKeys() {
  if (GameState::pendingKey == GameState::noKey || WorldState::phase != 0) return;
  Person* p = Person::selected();
  if (planning() && p && p->busy) return;
  GameState::heldKey = GameState::pendingKey;
  const int32_t action = KeyInput::keyAction(GameState::pendingKey);
  if (action == KeyInput::softKeyRight) {
    if (!p) return;
    if (planning()) GameState::hintPending = 0;
    GameDialogs::showHint(planning() ? 7 : 8, -1, 0, true);
    return;
  }
  if (!p && action == KeyInput::softKeyLeft) {
    returnToParked();
    return;
  }
  WorldState::screenAnimationActive_ = 0;
  if (!p) {
    if (action == undoAction) {
      returnToParked();
    } else if (action >= KeyInput::actionUp && action <= KeyInput::actionRight) {
      ViewScene::scrollView(action);
    }
    return;
  }
  switch (action) {
    case undoAction:
      if (planning()) undoLastStep();
      break;
    case waitAction:
      if (planning() && WorldState::stepIndex < Person::lastPlanStep) recordWait(*p);
      break;
    case itemListAction:
      if (planning()) listUsableItems(*p);
      GameState::pendingKey = GameState::noKey;
      break;
    case centreAction:
      centreOn(*p);
      GameState::pendingKey = GameState::noKey;
      break;
    case parkAction:
      GameState::parkedSelection = GameState::selectionIndex;
      GameState::selectionIndex = noSelection;
      GameState::pendingKey = GameState::noKey;
      break;
    case personMenuAction:
      GameState::pendingKey = GameState::noKey;
      openPersonMenu();
      break;
    case nextPersonAction:
      GameState::pendingKey = GameState::noKey;
      selectPerson(-1);
      break;
    default:
      // The arrows stay pending for the world tick's steering.
      break;
  }
}

void LevelKeys::planKeys() {
  Person* p = Person::selected();
  if (!p || !planning() || p->busy || GameState::pendingKey == GameState::noKey || WorldState::phase != 0) return;
  const int32_t action = KeyInput::keyAction(GameState::pendingKey);
  if (!repeatPhase()) return;
  if (action == waitAction && WorldState::stepIndex < Person::lastPlanStep) {
    recordWait(*p);
  } else if (action == undoAction && WorldState::stepIndex > 0) {
    if (Person* q = personAtSelection()) {
      GameState::halfSecondCount = 3;
      q->undoStep();
      syncCrewToStep(*q, false);
      ViewScene::invalidateScene();
    }
  }
}

void LevelKeys::recordWait(Person& p) {
  p.action = 2;
  p.useObject(1, false);
  p.busy = 0;
  GameState::halfSecondCount = 1;
  ViewScene::invalidateScene();
}

void LevelKeys::undoLastStep() {
  Person* p = personAtSelection();
  if (!p || WorldState::stepIndex <= 0) return;
  p->undoStep();
  syncCrewToStep(*p, false);
  ViewScene::invalidateScene();
  GameState::halfSecondCount = 1;
}

void LevelKeys::listUsableItems(Person& p) {
  const RoomObject* front = WorldRules::objectInFront(p);
  if (!front) return;
  const auto& work = GameTables::objectChances[front->type];
  int32_t count = 0;
  for (int32_t c = 0; c < itemClasses && c < work->length(); ++c) count += work[c] > 0;
  if (count == 0) return;
  qel::lang::DshortArrayPtr ids = new qel::lang::DshortArray(count);
  qel::lang::DObjectArrayPtr icons = new qel::lang::DObjectArray(count);
  qel::lang::DObjectArrayPtr values = new qel::lang::DObjectArray(count);
  for (int32_t c = 0, i = 0; c < itemClasses && c < work->length(); ++c) {
    if (work[c] <= 0) continue;
    ids[i] = static_cast<int16_t>(85 + c);
    icons[i] = new qel::lang::DbyteArray(2, 0, SpriteRows::spriteItemIcons, c);
    qel::lang::DObjectArrayPtr steps = new qel::lang::DObjectArray(1);
    steps[0] = new qel::lang::DInteger(work[c]);
    values[i] = steps;
    ++i;
  }
  DialogWindow::openListDialog(0, DialogWindow::kindList, nullptr, ids, icons, values, nullptr, 98, 1);
}

void LevelKeys::selectPerson(int32_t index) {
  const qel::util::DVectorPtr& crew = GameTables::activePersons;
  if (!crew || crew->size() == 0) {
    WorldState::selectedPerson = nullptr;
    return;
  }
  const bool hadSelection = WorldState::selectedPerson && GameState::selectionIndex != noSelection;
  if (index == -1) {
    GameState::selectionIndex = static_cast<uint8_t>(GameState::selectionIndex + 1);
    WorldState::selectionChanged_ = 1;
    if (GameState::selectionIndex >= crew->size() || !hadSelection) GameState::selectionIndex = 0;
  } else {
    GameState::selectionIndex = static_cast<uint8_t>(index);
  }
  // A stale index (the crew shrank meanwhile) selects the first person.
  if (GameState::selectionIndex >= crew->size()) GameState::selectionIndex = 0;
  WorldState::selectedPerson = crew->elementAt(GameState::selectionIndex);
  Person& p = *Person::selected();
  if (planning()) {
    p.pathIndex = static_cast<int16_t>(p.steps->size() - 1);
    p.playStep(true);
    WorldState::stepIndex = p.pathIndex;
    syncCrewToStep(p, false);
  }
  bringIntoView(p);
  if (planning() || !hadSelection) ViewScene::invalidateScene();
}

void LevelKeys::syncCrewToStep(Person& recorded, bool busy) {
  const int32_t step = WorldState::stepIndex;
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
    Person& q = *static_cast<Person*>(GameTables::activePersons->elementAt(i));
    if (q.id == recorded.id) continue;
    if (q.steps->size() <= step) {
      q.pathIndex = static_cast<int16_t>(q.steps->size() - 1);
      q.playStep(true);
      continue;
    }
    q.pathIndex = static_cast<int16_t>(step);
    q.playStep(true);
    if (q.action == 0) continue;
    q.pathIndex = static_cast<int16_t>(step + 1);
    q.playStep(true);
    const int32_t next = q.action;
    q.pathIndex = static_cast<int16_t>(step);
    q.playStep(true);
    q.busy = busy;
    if (q.action == 1 && KeyInput::keyAction(GameState::pendingKey) == waitAction) {
      q.x = static_cast<int8_t>(q.x + GameTables::directionSteps[0][q.direction & 3]);
      q.y = static_cast<int8_t>(q.y + GameTables::directionSteps[1][q.direction & 3]);
    }
    // An object action starts or ends here.
    if ((q.action == 4 && next != 4) || (q.action == 3 && next != 3)) ViewScene::invalidateScene();
  }
  ViewScene::checkBombsDue();
}

void LevelKeys::openPersonMenu() {
  const Person* p = Person::selected();
  if (!p) return;
  qel::lang::DshortArrayPtr items;
  if (!planning()) {
    if (p->stunSteps >= 1) return;
    const bool mayDrop = p->id == 0 && p->getPocketsWeight() > 0 && !p->busy;
    items = mayDrop ? new qel::lang::DshortArray(2, 0, int16_t{117}, int16_t{118})
                    : new qel::lang::DshortArray(1, 0, int16_t{117});
  } else {
    items = new qel::lang::DshortArray(2, 0, int16_t{120}, int16_t{121});
  }
  DialogWindow::openMenu(
      2, new qel::lang::DbyteArray(2, 0, WorldState::dialogParamByte, p->id), items, LanguageTexts::getText(138), 2);
}

}  // namespace nvx
