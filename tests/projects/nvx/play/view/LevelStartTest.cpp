#include <algorithm>

#include "DemoLevel.h"
#include "lang/DExceptionBase.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

class LevelStartTest : public DemoLevel {
protected:
  static Person& person(int id) { return *static_cast<Person*>(MainCanvas::persons[id].get()); }

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
    MainCanvas::savedIds->addElement(&person(4));
    for (int i = 2; i < MainCanvas::options->length(); ++i) MainCanvas::options[i] = true;
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
    MainCanvas::difficulty = static_cast<int8_t>(c.difficulty);
    MainCanvas::mapMessage = -1;
    MainCanvas::pendingTransition = 0;
    if (c.fromLevel > 0) MainCanvas::startLevel(c.fromLevel);
    playedLevel();
    MainCanvas::mapMessage = -1;
    const int objectsBefore = MainCanvas::roomObjects->size();
    const int widthBefore = MainCanvas::mapWidth;
    if (c.fromLevel > 0)
      MainCanvas::nextLevel();
    else
      MainCanvas::restartGame();
    EXPECT_EQ(MainCanvas::levelNumber, c.expectedLevel);
    EXPECT_EQ(MainCanvas::mapMessage, c.expectedMessage);
    EXPECT_EQ(MainCanvas::pendingTransition, 3);
    EXPECT_EQ(MainCanvas::levelEndFlag, 0);
    if (c.expectedLevel == c.fromLevel) {
      EXPECT_EQ(MainCanvas::roomObjects->size(), objectsBefore) << "nothing loaded";
      EXPECT_EQ(MainCanvas::mapWidth, widthBefore);
    }
    EXPECT_EQ(MainCanvas::activePersons->size(), 0);
    EXPECT_EQ(pockets(2), "ttt");
    EXPECT_EQ(person(2).steps->size() == 1, c.personsReset) << "plans";
    EXPECT_EQ(MainCanvas::savedIds->size() == 0, c.personsReset) << "the jailed";
    EXPECT_EQ(MainCanvas::options[2] == false, c.expectedLevel == 1) << "hint flags";
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::savedIds->removeAllElements();
  }
}

TEST_F(LevelStartTest, ANewGameStartsWithItsMoneyAndThreeRetries) {
  const std::pair<int, int> cases[] = {{-1, 50}, {0, 4000}, {2, 4000}};
  for (const auto& [difficulty, money] : cases) {
    MainCanvas::difficulty = static_cast<int8_t>(difficulty);
    MainCanvas::retriesLeft = 0;
    MainCanvas::money = 123;
    MainCanvas::restartGame();
    EXPECT_EQ(MainCanvas::money, money) << difficulty;
    EXPECT_EQ(MainCanvas::retriesLeft, 3);
  }
}

TEST_F(LevelStartTest, TheHardestDifficultyKeepsItsRetriesAtTheNextLevel) {
  for (int difficulty : {0, 1, 2}) {
    MainCanvas::difficulty = static_cast<int8_t>(difficulty);
    MainCanvas::startLevel(9);
    MainCanvas::retriesLeft = 1;
    MainCanvas::money = 7777;
    MainCanvas::nextLevel();
    EXPECT_EQ(MainCanvas::retriesLeft, difficulty == 2 ? 1 : 3) << difficulty;
    EXPECT_EQ(MainCanvas::startMoney, 7777);
  }
}

// The game is saved at every start of a level, and a retry rewrites the
// retries record (the level is above 0 whenever a level is retried).
TEST_F(LevelStartTest, StartsSaveTheGameAndARetryRewritesTheRetriesLeft) {
  MainCanvas::saveSlot = 1;
  MainCanvas::difficulty = 1;
  MainCanvas::restartGame();
  EXPECT_EQ(record(u"save1", 1), (std::vector<int>{1, 7, 0, 0, 0x0F, 0xA0, 0}));
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{3});

  MainCanvas::retriesLeft = 1;  // the level-end menu counted a retry down
  hire(2);
  MainCanvas::setUpLevel();
  MainCanvas::retryLevel();
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{1});

  MainCanvas::nextLevel();
  EXPECT_EQ(record(u"save1", 1)[1], 8);
  EXPECT_EQ(record(u"save1", 2), std::vector<int>{3});
}

// A completed game leaves no save behind it to continue: the saved game
// stays as the last level's start wrote it.
TEST_F(LevelStartTest, CompletingTheLastLevelWritesNoSave) {
  MainCanvas::saveSlot = 1;
  MainCanvas::difficulty = 1;
  MainCanvas::retriesLeft = 1;
  MainCanvas::money = 5000;
  MainCanvas::startLevel(26);
  MainCanvas::saveGame();
  const std::vector<int> game = record(u"save1", 1), retries = record(u"save1", 2);
  ASSERT_EQ(game[1], 26);

  MainCanvas::money = 20000;
  MainCanvas::nextLevel();
  EXPECT_EQ(MainCanvas::mapMessage, 164);
  EXPECT_EQ(record(u"save1", 1), game);
  EXPECT_EQ(record(u"save1", 2), retries);
}

TEST_F(LevelStartTest, TrainingFromItsFirstLevelStoresTheHintFlagsCleared) {
  MainCanvas::loadSounds();  // the record holds the sound manager's volumes
  for (int i = 0; i < MainCanvas::options->length(); ++i) MainCanvas::options[i] = true;
  MainCanvas::difficulty = -1;
  MainCanvas::restartGame();
  const std::vector<int> option = record(u"option", 1);
  ASSERT_GE(option.size(), 16u);
  EXPECT_EQ(std::vector<int>(option.begin(), option.begin() + 4), (std::vector<int>{1, 1, 0, 0}));
  EXPECT_EQ(std::count(option.begin() + 2, option.begin() + 16, 0), 14);
  MainCanvas::sounds.release();
}

// A run set up, played badly and retried gives back what the run began with,
// on the first level of the game as on any other.
TEST_F(LevelStartTest, ARetryRestoresMoneyCrewJailedAndPocketsExactly) {
  for (int level : {7, 8}) {
    SCOPED_TRACE(level);
    MainCanvas::difficulty = 0;
    MainCanvas::startLevel(level);
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::savedIds->removeAllElements();
    hire(2);
    hire(3);
    carry(2, "hst");
    carry(3, "qtt");
    carry(0, "ntt");
    MainCanvas::savedIds->addElement(&person(4));
    MainCanvas::money = 3000;
    const int bombX = MainCanvas::exitX, bombY = MainCanvas::exitY - 1;
    RoomObjectPtr planned = new RoomObject(RoomObject::bombKind, bombX, bombY, 0, false, 'q', 0);
    planned->openStamp = 20;
    MainCanvas::bombs->put(MainCanvas::cellKey(bombX, bombY), planned);
    MainCanvas::setUpLevel();
    ASSERT_EQ(ids(MainCanvas::activePersons), (std::vector<int>{2, 3, 0}));

    MainCanvas::money = 100;
    carry(0, "ttt");
    MainCanvas::activePersons->removeElement(&person(3));
    MainCanvas::savedIds->addElement(&person(3));
    person(2).loot[1] = 4;
    MainCanvas::retryLevel();

    EXPECT_EQ(MainCanvas::levelNumber, level);
    EXPECT_EQ(MainCanvas::money, 3000);
    EXPECT_EQ(ids(MainCanvas::activePersons), (std::vector<int>{2, 3}));
    EXPECT_EQ(ids(MainCanvas::savedIds), (std::vector<int>{4}));
    EXPECT_EQ(pockets(0), "ntt");
    EXPECT_EQ(pockets(2), "hst");
    EXPECT_EQ(pockets(3), "qtt");
    EXPECT_EQ(person(2).loot[1], 0);
    const auto* bomb = static_cast<RoomObject*>(MainCanvas::bombs->get(MainCanvas::cellKey(bombX, bombY)));
    ASSERT_NE(bomb, nullptr) << "the planned bomb";
    EXPECT_EQ(bomb->openStamp, 20);
    EXPECT_EQ(MainCanvas::pendingTransition, 3);
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::savedIds->removeAllElements();
  }
}

}  // namespace
}  // namespace nvx
