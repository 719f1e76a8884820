#include "nvx/src/play/Keys.h"

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"

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

bool planning() { return MainCanvas::skipWorldLogic == 0; }

// The wait and undo keys repeat at four phases of the clock's cycle.
bool repeatPhase() { return MainCanvas::clockPhase % 3 == 0 && MainCanvas::halfSecondCount >= 3; }

void centreOn(const Person& p) { MainCanvas::centerViewOn(p.x, p.y, true, false, false); }

// Turns the page to the person's cell, centring it when the view moves.
void bringIntoView(const Person& p) { MainCanvas::centerViewOn(p.x, p.y, false, true, false); }

// The soft key without a person selected: the parked person again, or the
// map screen when nobody takes part.
void returnToParked() {
  if (!MainCanvas::activePersons || MainCanvas::activePersons->size() == 0) {
    MainCanvas::pendingTransition = 3;
    return;
  }
  MainCanvas::pendingKey = MainCanvas::noKey;
  MainCanvas::selectPerson(MainCanvas::parkedSelection);
}

// The person at selectionIndex, which may differ from the selected person
// for the tick after parking; null when it names nobody.
Person* personAtSelection() {
  const qel::util::DVectorPtr& crew = MainCanvas::activePersons;
  if (!crew || MainCanvas::selectionIndex >= crew->size()) return nullptr;
  return static_cast<Person*>(crew->elementAt(MainCanvas::selectionIndex));
}

}  // namespace

void LevelKeys::handleLevelKeys() {
  if (MainCanvas::pendingKey == MainCanvas::noKey || MainCanvas::phase != 0) return;
  Person* p = Person::selected();
  if (planning() && p && p->busy) return;
  MainCanvas::heldKey = MainCanvas::pendingKey;
  const int32_t action = MainCanvas::keyAction(MainCanvas::pendingKey);
  if (action == MainCanvas::softKeyRight) {
    if (!p) return;
    if (planning()) MainCanvas::hintPending = 0;
    MainCanvas::showHint(planning() ? 7 : 8, -1, 0, true);
    return;
  }
  if (!p && action == MainCanvas::softKeyLeft) {
    returnToParked();
    return;
  }
  MainCanvas::screenAnimationActive = 0;
  if (!p) {
    if (action == undoAction) {
      returnToParked();
    } else if (action >= MainCanvas::actionUp && action <= MainCanvas::actionRight) {
      MainCanvas::scrollView(action);
    }
    return;
  }
  switch (action) {
    case undoAction:
      if (planning()) undoLastStep();
      break;
    case waitAction:
      if (planning() && MainCanvas::stepIndex < Person::lastPlanStep) recordWait(*p);
      break;
    case itemListAction:
      if (planning()) listUsableItems(*p);
      MainCanvas::pendingKey = MainCanvas::noKey;
      break;
    case centreAction:
      centreOn(*p);
      MainCanvas::pendingKey = MainCanvas::noKey;
      break;
    case parkAction:
      MainCanvas::parkedSelection = MainCanvas::selectionIndex;
      MainCanvas::selectionIndex = noSelection;
      MainCanvas::pendingKey = MainCanvas::noKey;
      break;
    case personMenuAction:
      MainCanvas::pendingKey = MainCanvas::noKey;
      openPersonMenu();
      break;
    case nextPersonAction:
      MainCanvas::pendingKey = MainCanvas::noKey;
      selectPerson(-1);
      break;
    default:
      // The arrows stay pending for the world tick's steering.
      break;
  }
}

void LevelKeys::planKeys() {
  Person* p = Person::selected();
  if (!p || !planning() || p->busy || MainCanvas::pendingKey == MainCanvas::noKey || MainCanvas::phase != 0) return;
  const int32_t action = MainCanvas::keyAction(MainCanvas::pendingKey);
  if (!repeatPhase()) return;
  if (action == waitAction && MainCanvas::stepIndex < Person::lastPlanStep) {
    recordWait(*p);
  } else if (action == undoAction && MainCanvas::stepIndex > 0) {
    if (Person* q = personAtSelection()) {
      MainCanvas::halfSecondCount = 3;
      q->undoStep();
      syncCrewToStep(*q, false);
      MainCanvas::invalidateScene();
    }
  }
}

void LevelKeys::recordWait(Person& p) {
  p.action = 2;
  p.useObject(1, false);
  p.busy = 0;
  MainCanvas::halfSecondCount = 1;
  MainCanvas::invalidateScene();
}

void LevelKeys::undoLastStep() {
  Person* p = personAtSelection();
  if (!p || MainCanvas::stepIndex <= 0) return;
  p->undoStep();
  syncCrewToStep(*p, false);
  MainCanvas::invalidateScene();
  MainCanvas::halfSecondCount = 1;
}

void LevelKeys::listUsableItems(Person& p) {
  const RoomObject* front = MainCanvas::objectInFront(p);
  if (!front) return;
  const auto& work = MainCanvas::objectChances[front->type];
  int32_t count = 0;
  for (int32_t c = 0; c < itemClasses && c < work->length(); ++c) count += work[c] > 0;
  if (count == 0) return;
  qel::lang::DshortArrayPtr ids = new qel::lang::DshortArray(count);
  qel::lang::DObjectArrayPtr icons = new qel::lang::DObjectArray(count);
  qel::lang::DObjectArrayPtr values = new qel::lang::DObjectArray(count);
  for (int32_t c = 0, i = 0; c < itemClasses && c < work->length(); ++c) {
    if (work[c] <= 0) continue;
    ids[i] = static_cast<int16_t>(85 + c);
    icons[i] = new qel::lang::DbyteArray(2, 0, MainCanvas::spriteItemIcons, c);
    qel::lang::DObjectArrayPtr steps = new qel::lang::DObjectArray(1);
    steps[0] = new qel::lang::DInteger(work[c]);
    values[i] = steps;
    ++i;
  }
  MainCanvas::openListDialog(0, MainCanvas::kindList, nullptr, ids, icons, values, nullptr, 98, 1);
}

void LevelKeys::selectPerson(int32_t index) {
  const qel::util::DVectorPtr& crew = MainCanvas::activePersons;
  if (!crew || crew->size() == 0) {
    MainCanvas::selectedPerson = nullptr;
    return;
  }
  const bool hadSelection = MainCanvas::selectedPerson && MainCanvas::selectionIndex != noSelection;
  if (index == -1) {
    MainCanvas::selectionIndex = static_cast<uint8_t>(MainCanvas::selectionIndex + 1);
    MainCanvas::selectionChanged = 1;
    if (MainCanvas::selectionIndex >= crew->size() || !hadSelection) MainCanvas::selectionIndex = 0;
  } else {
    MainCanvas::selectionIndex = static_cast<uint8_t>(index);
  }
  // A stale index (the crew shrank meanwhile) selects the first person.
  if (MainCanvas::selectionIndex >= crew->size()) MainCanvas::selectionIndex = 0;
  MainCanvas::selectedPerson = crew->elementAt(MainCanvas::selectionIndex);
  Person& p = *Person::selected();
  if (planning()) {
    p.pathIndex = static_cast<int16_t>(p.steps->size() - 1);
    p.playStep(true);
    MainCanvas::stepIndex = p.pathIndex;
    syncCrewToStep(p, false);
  }
  bringIntoView(p);
  if (planning() || !hadSelection) MainCanvas::invalidateScene();
}

void LevelKeys::syncCrewToStep(Person& recorded, bool busy) {
  const int32_t step = MainCanvas::stepIndex;
  for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) {
    Person& q = *static_cast<Person*>(MainCanvas::activePersons->elementAt(i));
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
    if (q.action == 1 && MainCanvas::keyAction(MainCanvas::pendingKey) == waitAction) {
      q.x = static_cast<int8_t>(q.x + MainCanvas::directionSteps[0][q.direction & 3]);
      q.y = static_cast<int8_t>(q.y + MainCanvas::directionSteps[1][q.direction & 3]);
    }
    // An object action starts or ends here.
    if ((q.action == 4 && next != 4) || (q.action == 3 && next != 3)) MainCanvas::invalidateScene();
  }
  MainCanvas::checkBombsDue();
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
  MainCanvas::openMenu(
      2, new qel::lang::DbyteArray(2, 0, MainCanvas::dialogParamByte, p->id), items, MainCanvas::getText(138), 2);
}

}  // namespace nvx
