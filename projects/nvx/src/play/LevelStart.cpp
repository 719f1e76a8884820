#include "nvx/src/play/LevelStart.h"

#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

namespace nvx {

namespace {

constexpr uint8_t mapScreenTransition = 3;
constexpr int32_t firstHintOption = 2;

Person& personById(int32_t id) { return *static_cast<Person*>(GameTables::persons[id].get()); }

Person& listedPerson(const qel::util::DVectorPtr& list, int32_t i) { return *static_cast<Person*>(list->elementAt(i)); }

// Pockets emptied without pay and the loot cleared, nothing carried.
void unload(Person& p) {
  p.emptyPockets(false);
  p.clearLoot();
  p.load = 0;
}

// A game that could not be saved keeps the level in progress of the one
// still saved.
void saveAndForgetLevelInProgress() {
  if (GameStore::saveGame()) GameStore::deleteLevelInProgress();
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
  WorldRules::copyObjects(GameTables::roomObjects, planned);
  return planned;
}

void restorePlannedObjects(const qel::util::DHashtablePtr& planned) {
  for (qel::util::DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    auto* object = static_cast<RoomObject*>(e->nextElement());
    const auto* was = static_cast<RoomObject*>(planned->get(WorldRules::cellKey(object->x, object->y)));
    if (!was) continue;
    object->openStamp = was->openStamp;
    object->takeStamp = was->takeStamp;
    object->amount = was->amount;
  }
}

}  // namespace

void LevelStart::startLevel(int32_t n) { beginLevel(n, true); }

void LevelStart::beginLevel(int32_t n, bool newEpisodeResets) {
  GameState::pendingTransition = mapScreenTransition;
  if (GameState::difficulty == -1 && n > lastTrainingLevel) GameState::mapMessage = trainingDoneMessage;
  if (n > lastLevel) {
    GameState::mapMessage = gameCompletedMessage;
    return;
  }
  GameState::levelNumber = static_cast<int8_t>(n);
  WorldRules::loadLevel(n);
  if (newEpisodeResets && (n == firstTrainingLevel || n == firstGameLevel)) {
    GameTables::activePersons->removeAllElements();
    GameTables::savedIds->removeAllElements();
    for (int32_t i = 0; i < GameTables::persons->length(); ++i) {
      Person& p = personById(i);
      p.resetPlan();
      unload(p);
    }
  }
  if (n == firstTrainingLevel) {
    for (int32_t i = firstHintOption; i < GameTables::options->length(); ++i) GameTables::options[i] = false;
    GameStore::saveOptions();
    GameState::mapMessage = trainingStartMessage;
  }
  GameState::levelEndFlag = 0;
}

void LevelStart::restartGame() {
  GameState::retriesLeft = retriesPerLevel;
  GameState::levelNumber = -1;
  const bool training = GameState::difficulty == -1;
  GameState::money = training ? trainingMoney : gameMoney;
  startLevel(training ? firstTrainingLevel : firstGameLevel);
  if (GameState::levelNumber > 0)
    saveAndForgetLevelInProgress();
  else
    GameStore::deleteSave();
}

void LevelStart::retryLevel() {
  GameState::money = GameState::startMoney;
  GameTables::activePersons->removeAllElements();
  for (int32_t i = 0; i < GameTables::activeAtLevelStart->size(); ++i) {
    Person& p = listedPerson(GameTables::activeAtLevelStart, i);
    p.clearLoot();
    p.updateLoad();
    GameTables::activePersons->addElement(&p);
  }
  refill(GameTables::savedIds, GameTables::levelList);
  Person& leader = personById(0);
  for (int32_t i = 0; i < 3; ++i) leader.pockets[i] = GameTables::padLetters[i];
  leader.clearLoot();
  leader.resetToStart();
  const qel::util::DHashtablePtr planned = plannedObjects();
  // The offers bought before the run stay bought: the money they cost is
  // not given back.
  const qel::lang::DintArrayPtr offerPrices = GameTables::levelTotals;
  beginLevel(GameState::levelNumber, false);
  // The reload drew a new police time and dropped the planned bombs: they
  // come back from the run's set-up.
  GameState::levelCounter = GameState::levelCounterAtStart;
  GameTables::levelTotals = offerPrices;
  restorePlannedObjects(planned);
  WorldRules::shareEntries(GameTables::savedAlarmLinks, GameTables::alarmLinks);
  WorldRules::copyObjects(GameTables::savedBombs, GameTables::bombs);
  if (GameState::levelNumber > 0) GameStore::saveSlotCounter();
}

void LevelStart::nextLevel() {
  if (GameState::difficulty < 2) GameState::retriesLeft = retriesPerLevel;
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) unload(listedPerson(GameTables::activePersons, i));
  GameTables::activePersons->removeAllElements();
  unload(personById(0));
  GameState::startMoney_ = GameState::money;
  if (GameState::levelNumber < 1) return;
  const int32_t next = GameState::levelNumber + 1;
  startLevel(next);
  // Past the last level the game is complete: nothing is left to continue.
  if (next > lastLevel) return;
  saveAndForgetLevelInProgress();
}

}  // namespace nvx
