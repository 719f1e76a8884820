#include "nvx/src/play/LevelStart.h"

#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

namespace nvx {

namespace {

constexpr uint8_t mapScreenTransition = 3;
constexpr int32_t firstHintOption = 2;

Person& personById(int32_t id) { return *static_cast<Person*>(MainCanvas::persons[id].get()); }

Person& listedPerson(const qel::util::DVectorPtr& list, int32_t i) { return *static_cast<Person*>(list->elementAt(i)); }

// Pockets emptied without pay and the loot cleared, nothing carried.
void unload(Person& p) {
  p.emptyPockets(false);
  p.clearLoot();
  p.load = 0;
}

void saveAndForgetLevelInProgress() {
  MainCanvas::saveGame();
  MainCanvas::deleteLevelInProgress();
}

void refill(const qel::util::DVectorPtr& target, const qel::util::DVectorPtr& source) {
  target->removeAllElements();
  for (int32_t i = 0; i < source->size(); ++i) target->addElement(source->elementAt(i));
}

// The planned stamps and the loot of each room object, as planned: a run
// changes neither, and a reload of the level drops the stamps and shares
// the loot of shared containers out again at random.
qel::util::DHashtablePtr plannedObjects() {
  qel::util::DHashtablePtr planned = new qel::util::DHashtable(11, 75);
  MainCanvas::copyObjects(MainCanvas::roomObjects, planned);
  return planned;
}

void restorePlannedObjects(const qel::util::DHashtablePtr& planned) {
  for (qel::util::DEnumerationPtr e = MainCanvas::roomObjects->elements(); e->hasMoreElements();) {
    auto* object = static_cast<RoomObject*>(e->nextElement());
    const auto* was = static_cast<RoomObject*>(planned->get(MainCanvas::cellKey(object->x, object->y)));
    if (!was) continue;
    object->openStamp = was->openStamp;
    object->takeStamp = was->takeStamp;
    object->amount = was->amount;
  }
}

}  // namespace

void LevelStart::startLevel(int32_t n) { beginLevel(n, true); }

void LevelStart::beginLevel(int32_t n, bool newEpisodeResets) {
  MainCanvas::pendingTransition = mapScreenTransition;
  if (MainCanvas::difficulty == -1 && n > lastTrainingLevel) MainCanvas::mapMessage = trainingDoneMessage;
  if (n > lastLevel) {
    MainCanvas::mapMessage = gameCompletedMessage;
    return;
  }
  MainCanvas::levelNumber = static_cast<int8_t>(n);
  MainCanvas::loadLevel(n);
  if (newEpisodeResets && (n == firstTrainingLevel || n == firstGameLevel)) {
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::savedIds->removeAllElements();
    for (int32_t i = 0; i < MainCanvas::persons->length(); ++i) {
      Person& p = personById(i);
      p.resetPlan();
      unload(p);
    }
  }
  if (n == firstTrainingLevel) {
    for (int32_t i = firstHintOption; i < MainCanvas::options->length(); ++i) MainCanvas::options[i] = false;
    MainCanvas::saveOptions();
    MainCanvas::mapMessage = trainingStartMessage;
  }
  MainCanvas::levelEndFlag = 0;
}

void LevelStart::restartGame() {
  MainCanvas::retriesLeft = retriesPerLevel;
  MainCanvas::levelNumber = -1;
  const bool training = MainCanvas::difficulty == -1;
  MainCanvas::money = training ? trainingMoney : gameMoney;
  startLevel(training ? firstTrainingLevel : firstGameLevel);
  if (MainCanvas::levelNumber > 0)
    saveAndForgetLevelInProgress();
  else
    MainCanvas::deleteSave();
}

void LevelStart::retryLevel() {
  MainCanvas::money = MainCanvas::startMoney;
  MainCanvas::activePersons->removeAllElements();
  for (int32_t i = 0; i < MainCanvas::activeAtLevelStart->size(); ++i) {
    Person& p = listedPerson(MainCanvas::activeAtLevelStart, i);
    p.clearLoot();
    p.updateLoad();
    MainCanvas::activePersons->addElement(&p);
  }
  refill(MainCanvas::savedIds, MainCanvas::levelList);
  Person& leader = personById(0);
  for (int32_t i = 0; i < 3; ++i) leader.pockets[i] = MainCanvas::padLetters[i];
  leader.clearLoot();
  leader.resetToStart();
  const qel::util::DHashtablePtr planned = plannedObjects();
  // The offers bought before the run stay bought: the money they cost is
  // not given back.
  const qel::lang::DintArrayPtr offerPrices = MainCanvas::levelTotals;
  beginLevel(MainCanvas::levelNumber, false);
  // The reload drew a new police time and dropped the planned bombs: they
  // come back from the run's set-up.
  MainCanvas::levelCounter = MainCanvas::levelCounterAtStart;
  MainCanvas::levelTotals = offerPrices;
  restorePlannedObjects(planned);
  MainCanvas::shareEntries(MainCanvas::savedAlarmLinks, MainCanvas::alarmLinks);
  MainCanvas::copyObjects(MainCanvas::savedBombs, MainCanvas::bombs);
  if (MainCanvas::levelNumber > 0) MainCanvas::saveSlotCounter();
}

void LevelStart::nextLevel() {
  if (MainCanvas::difficulty < 2) MainCanvas::retriesLeft = retriesPerLevel;
  for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) unload(listedPerson(MainCanvas::activePersons, i));
  MainCanvas::activePersons->removeAllElements();
  unload(personById(0));
  MainCanvas::startMoney = MainCanvas::money;
  if (MainCanvas::levelNumber < 1) return;
  const int32_t next = MainCanvas::levelNumber + 1;
  startLevel(next);
  // Past the last level the game is complete: nothing is left to continue.
  if (next > lastLevel) return;
  saveAndForgetLevelInProgress();
}

}  // namespace nvx
