#include <algorithm>

#include "DemoLevel.h"
#include "lang/DExceptionBase.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/play/EnteringPlay.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

class LevelStartTest : public DemoLevel {
protected:
  static Person& person(int id) { return *static_cast<Person*>(GameTables::persons[id].get()); }

  static void carry(int id, const char* items) {
    for (int i = 0; i < 3; ++i) person(id).pockets[i] = static_cast<int8_t>(items[i]);
  }
  static std::string pockets(int id) {
    std::string s;
    for (int i = 0; i < 3; ++i) s += static_cast<char>(person(id).pockets[i]);
    return s;
  }
  static std::vector<int> ids(const qel::util::DVectorPtr& list) {
    std::vector<int> out;
    for (int i = 0; i < list->size(); ++i) out.push_back(static_cast<Person*>(list->elementAt(i))->id);
    return out;
  }
  // The record's bytes; empty when the store or the record is missing.
  static std::vector<int> record(const char16_t* store, int id) {
    try {
      qel::lang::DbyteArrayPtr data = qel::rms::DRecordStore::openRecordStore(store, false)->getRecord(id);
      std::vector<int> out;
      for (int i = 0; i < data->length(); ++i) out.push_back(static_cast<uint8_t>(data[i]));
      return out;
    } catch (qel::lang::DExceptionBase&) {
      return {};
    }
  }

  // Persons on the crew and in jail, with plans and pockets, as a played level leaves them.
  static void playedLevel() {
    for (int id : {2, 3}) {
      hire(id);
      person(id).steps->addElement(new Path(1, 1, Path::Walk, 2, 0));
    }
    carry(2, "hst");
    GameTables::savedIds->addElement(&person(4));
    for (int i = 2; i < GameTables::options->length(); ++i) GameTables::options[i] = true;
  }
};

struct StartCase {
  const char* what;
  int difficulty;
  int fromLevel;  // 0: a new game
  int expectedLevel;
  int16_t expectedMessage;
  bool personsReset;
};

TEST_F(LevelStartTest, EveryStartAsksForTheMapScreenAndResetsThePersonsOnlyAtAnEpisodesFirstLevel) {
  const StartCase cases[] = {
      {"new training game", -1, 0, 1, 9, true},
      {"new game", 1, 0, 7, -1, true},
      {"next training level", -1, 2, 3, -1, false},
      {"training done", -1, 6, 7, 165, true},
      {"next game level", 2, 7, 8, -1, false},
      {"past the last level", 0, 26, 26, 164, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GameState::difficulty = static_cast<int8_t>(c.difficulty);
    GameState::mapMessage = -1;
    GameState::pendingTransition = 0;
    if (c.fromLevel > 0) LevelStart::startLevel(c.fromLevel);
    playedLevel();
    GameState::mapMessage = -1;
    const int objectsBefore = GameTables::roomObjects->size();
    const int widthBefore = WorldState::mapWidth;
    if (c.fromLevel > 0)
      LevelStart::nextLevel();
    else
      LevelStart::restartGame();
    EXPECT_EQ(GameState::levelNumber, c.expectedLevel);
    EXPECT_EQ(GameState::mapMessage, c.expectedMessage);
    EXPECT_EQ(GameState::pendingTransition, 3);
    EXPECT_EQ(GameState::levelEndFlag, 0);
    if (c.expectedLevel == c.fromLevel) {
      EXPECT_EQ(GameTables::roomObjects->size(), objectsBefore) << "nothing loaded";
      EXPECT_EQ(WorldState::mapWidth, widthBefore);
    }
    EXPECT_EQ(GameTables::activePersons->size(), 0);
    EXPECT_EQ(pockets(2), "ttt");
    EXPECT_EQ(person(2).steps->size() == 1, c.personsReset) << "plans";
    EXPECT_EQ(GameTables::savedIds->size() == 0, c.personsReset) << "the jailed";
    EXPECT_EQ(GameTables::options[2] == false, c.expectedLevel == 1) << "hint flags";
    GameTables::activePersons->removeAllElements();
    GameTables::savedIds->removeAllElements();
  }
}

TEST_F(LevelStartTest, ANewGameStartsWithItsMoneyAndThreeRetries) {
  const std::pair<int, int> cases[] = {{-1, 50}, {0, 4000}, {2, 4000}};
  for (const auto& [difficulty, money] : cases) {
    GameState::difficulty = static_cast<int8_t>(difficulty);
    GameState::retriesLeft = 0;
    GameState::money = 123;
    LevelStart::restartGame();
    EXPECT_EQ(GameState::money, money) << difficulty;
    EXPECT_EQ(GameState::retriesLeft, 3);
  }
}

TEST_F(LevelStartTest, TheHardestDifficultyKeepsItsRetriesAtTheNextLevel) {
  for (int difficulty : {0, 1, 2}) {
    GameState::difficulty = static_cast<int8_t>(difficulty);
    LevelStart::startLevel(9);
    GameState::retriesLeft = 1;
    GameState::money = 7777;
    LevelStart::nextLevel();
    EXPECT_EQ(GameState::retriesLeft, difficulty == 2 ? 1 : 3) << difficulty;
    EXPECT_EQ(GameState::startMoney, 7777);
  }
}

// The game is saved at every start of a level, and a retry rewrites the
// retries record (the level is above 0 whenever a level is retried).
TEST_F(LevelStartTest, StartsSaveTheGameAndARetryRewritesTheRetriesLeft) {
  GameState::saveSlot = 1;
  GameState::difficulty = 1;
  LevelStart::restartGame();
  EXPECT_EQ(record(u"save1", 1), (std::vector<int>{1, 7, 0, 0, 0x0F, 0xA0, 0}));
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{3});

  GameState::retriesLeft = 1;  // the level-end menu counted a retry down
  hire(2);
  EnteringPlay::setUpLevel();
  LevelStart::retryLevel();
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{1});

  LevelStart::nextLevel();
  EXPECT_EQ(record(u"save1", 1)[1], 8);
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{3});
}

// A completed game leaves no save behind it to continue: the saved game
// stays as the last level's start wrote it.
TEST_F(LevelStartTest, CompletingTheLastLevelWritesNoSave) {
  GameState::saveSlot = 1;
  GameState::difficulty = 1;
  GameState::retriesLeft = 1;
  GameState::money = 5000;
  LevelStart::startLevel(26);
  GameStore::saveGame();
  const std::vector<int> game = record(u"save1", 1), retries = record(u"save1", 2);
  ASSERT_EQ(game[1], 26);

  GameState::money = 20000;
  LevelStart::nextLevel();
  EXPECT_EQ(GameState::mapMessage, 164);
  EXPECT_EQ(record(u"save1", 1), game);
  EXPECT_EQ(record(u"save1", 2), retries);
}

TEST_F(LevelStartTest, TrainingFromItsFirstLevelStoresTheHintFlagsCleared) {
  SplashScreen::loadSounds();  // the record holds the sound manager's volumes
  for (int i = 0; i < GameTables::options->length(); ++i) GameTables::options[i] = true;
  GameState::difficulty = -1;
  LevelStart::restartGame();
  const std::vector<int> option = record(u"option", 1);
  ASSERT_GE(option.size(), 16u);
  EXPECT_EQ(std::vector<int>(option.begin(), option.begin() + 4), (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(std::count(option.begin() + 2, option.begin() + 16, 0), 14);
  GameState::sounds.release();
}

// A run set up, played badly and retried gives back what the run began with,
// on the first level of the game as on any other.
TEST_F(LevelStartTest, ARetryRestoresMoneyCrewJailedAndPocketsExactly) {
  for (int level : {7, 8}) {
    SCOPED_TRACE(level);
    GameState::difficulty = 0;
    LevelStart::startLevel(level);
    GameTables::activePersons->removeAllElements();
    GameTables::savedIds->removeAllElements();
    hire(2);
    hire(3);
    carry(2, "hst");
    carry(3, "qtt");
    carry(0, "ntt");
    GameTables::savedIds->addElement(&person(4));
    GameState::money = 3000;
    const int bombX = WorldState::exitX, bombY = WorldState::exitY - 1;
    RoomObjectPtr planned = new RoomObject(RoomObject::bombKind, bombX, bombY, 0, false, 'q', 0);
    planned->openStamp = 20;
    GameTables::bombs->put(WorldRules::cellKey(bombX, bombY), planned);
    EnteringPlay::setUpLevel();
    ASSERT_EQ(ids(GameTables::activePersons), (std::vector<int>{2, 3, 0}));

    GameState::money = 100;
    carry(0, "ttt");
    GameTables::activePersons->removeElement(&person(3));
    GameTables::savedIds->addElement(&person(3));
    person(2).loot[1] = 4;
    LevelStart::retryLevel();

    EXPECT_EQ(GameState::levelNumber, level);
    EXPECT_EQ(GameState::money, 3000);
    EXPECT_EQ(ids(GameTables::activePersons), (std::vector<int>{2, 3}));
    EXPECT_EQ(ids(GameTables::savedIds), (std::vector<int>{4}));
    EXPECT_EQ(pockets(0), "ntt");
    EXPECT_EQ(pockets(2), "hst");
    EXPECT_EQ(pockets(3), "qtt");
    EXPECT_EQ(person(2).loot[1], 0);
    const auto* bomb = static_cast<RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(bombX, bombY)));
    ASSERT_NE(bomb, nullptr) << "the planned bomb";
    EXPECT_EQ(bomb->openStamp, 20);
    EXPECT_EQ(GameState::pendingTransition, 3);
    GameTables::activePersons->removeAllElements();
    GameTables::savedIds->removeAllElements();
  }
}

}  // namespace
}  // namespace nvx
