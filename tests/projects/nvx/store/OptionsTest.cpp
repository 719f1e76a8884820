#include "gamelib/SoundManager.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "tests/projects/nvx/store/StoreFixture.h"

namespace nvx {
namespace {

class OptionsTest : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    GameState::sounds = new gamelib::SoundManager();
    GameState::sounds->setSfxVolume(30);
    GameState::sounds->setMusicVolume(50);
  }
};

TEST_F(OptionsTest, RecordHoldsTheFlagsThenBothVolumes) {
  GameStore::saveOptions();
  Bytes defaults(16, 0);
  defaults[2] = 1;
  defaults.push_back(30);
  defaults.push_back(50);
  EXPECT_EQ(record(u"option", 1), defaults);

  GameTables::options[2] = 0;
  GameTables::options[15] = 1;
  GameState::sounds->setMusicVolume(64);
  GameStore::saveOptions();
  Bytes changed(16, 0);
  changed[15] = 1;
  changed.push_back(30);
  changed.push_back(64);
  EXPECT_EQ(record(u"option", 1), changed);
  EXPECT_EQ(recordCount(u"option"), 1);
}

TEST_F(OptionsTest, LoadTakesOnlyOneAsOnAndClampsTheVolumes) {
  Bytes stored(16, 0);
  stored[0] = 2;
  stored[1] = 1;
  stored[2] = 0xFF;
  stored.push_back(70);
  stored.push_back(12);
  putRecords(u"option", {stored});
  GameStore::loadOptions();
  EXPECT_EQ(GameState::optionsMissing, 0);
  EXPECT_FALSE(GameTables::options[0]);
  EXPECT_TRUE(GameTables::options[1]);
  EXPECT_FALSE(GameTables::options[2]);
  EXPECT_EQ(GameState::sounds->sfxVolume(), 64);
  EXPECT_EQ(GameState::sounds->musicVolume(), 12);
}

TEST_F(OptionsTest, MissingStoreKeepsTheDefaultsAndCountsAsMissing) {
  GameStore::loadOptions();
  EXPECT_EQ(GameState::optionsMissing, 1);
  EXPECT_TRUE(GameTables::options[2]);
  EXPECT_EQ(GameState::sounds->sfxVolume(), 30);
}

// A damaged record keeps the defaults in play but is not missing: nothing
// at start-up writes over it.
TEST_F(OptionsTest, RecordOfTheWrongLengthKeepsTheDefaults) {
  for (size_t length : {0u, 17u, 19u}) {
    SCOPED_TRACE(length);
    dropStore(u"option");
    putRecords(u"option", {Bytes(length, 1)});
    GameStore::loadOptions();
    EXPECT_EQ(GameState::optionsMissing, 0);
    EXPECT_FALSE(GameTables::options[0]);
    EXPECT_TRUE(GameTables::options[2]);
    EXPECT_EQ(GameState::sounds->sfxVolume(), 30);
    EXPECT_EQ(record(u"option", 1), Bytes(length, 1));
  }
}

}  // namespace
}  // namespace nvx
