#include "gamelib/SoundManager.h"
#include "tests/projects/nvx/store/StoreFixture.h"

namespace nvx {
namespace {

class OptionsTest : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    MainCanvas::sounds = new gamelib::SoundManager();
    MainCanvas::sounds->setSfxVolume(30);
    MainCanvas::sounds->setMusicVolume(50);
  }
};

TEST_F(OptionsTest, RecordHoldsTheFlagsThenBothVolumes) {
  MainCanvas::saveOptions();
  Bytes defaults(16, 0);
  defaults[2] = 1;
  defaults.push_back(30);
  defaults.push_back(50);
  EXPECT_EQ(record(u"option", 1), defaults);

  MainCanvas::options[2] = 0;
  MainCanvas::options[15] = 1;
  MainCanvas::sounds->setMusicVolume(64);
  MainCanvas::saveOptions();
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
  MainCanvas::loadOptions();
  EXPECT_EQ(MainCanvas::optionsMissing, 0);
  EXPECT_FALSE(MainCanvas::options[0]);
  EXPECT_TRUE(MainCanvas::options[1]);
  EXPECT_FALSE(MainCanvas::options[2]);
  EXPECT_EQ(MainCanvas::sounds->sfxVolume(), 64);
  EXPECT_EQ(MainCanvas::sounds->musicVolume(), 12);
}

TEST_F(OptionsTest, MissingStoreKeepsTheDefaultsAndCountsAsMissing) {
  MainCanvas::loadOptions();
  EXPECT_EQ(MainCanvas::optionsMissing, 1);
  EXPECT_TRUE(MainCanvas::options[2]);
  EXPECT_EQ(MainCanvas::sounds->sfxVolume(), 30);
}

// A damaged record keeps the defaults in play but is not missing: nothing
// at start-up writes over it.
TEST_F(OptionsTest, RecordOfTheWrongLengthKeepsTheDefaults) {
  for (size_t length : {0u, 17u, 19u}) {
    SCOPED_TRACE(length);
    dropStore(u"option");
    putRecords(u"option", {Bytes(length, 1)});
    MainCanvas::loadOptions();
    EXPECT_EQ(MainCanvas::optionsMissing, 0);
    EXPECT_FALSE(MainCanvas::options[0]);
    EXPECT_TRUE(MainCanvas::options[2]);
    EXPECT_EQ(MainCanvas::sounds->sfxVolume(), 30);
    EXPECT_EQ(record(u"option", 1), Bytes(length, 1));
  }
}

}  // namespace
}  // namespace nvx
