#include <gtest/gtest.h>

#include "GameFolder.h"
#include "gamelib/GameLib.h"
#include "gamelib/PlayerInfo.h"
#include "gamelib/SoundManager.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "microedition/media/DManager.h"
#include "microedition/media/DPlayer.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOutDriver.h"

using gamelib::SoundManager;
using qel::lang::DintArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::media::DManager;
using qel::media::DPlayerPtr;

namespace {

DObjectArrayPtr names(std::initializer_list<const char16_t*> list) {
  DObjectArrayPtr array = new DObjectArray(static_cast<int32_t>(list.size()));
  int32_t i = 0;
  for (const char16_t* name : list) array->at(i++) = new qel::lang::DString(name);
  return array;
}

qel::lang::DintArrayPtr ints(std::initializer_list<int> list) {
  qel::lang::DintArrayPtr array = new DintArray(static_cast<int32_t>(list.size()));
  int32_t i = 0;
  for (int v : list) array->at(i++) = v;
  return array;
}

// Sounds on the real players, the sound system on the deterministic wave-out.
class SoundManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    wce::installWaveOutDriver(driver);
    DManager::initSoundSystem();
    ASSERT_TRUE(DManager::isOpened());
    beep = GameFolder::contentOf(NV_TEST_DATA_DIR "/beep.wav");
    folder.addEntry("snd/a.wav", beep);
    folder.addEntry("snd/b.wav", beep);
    folder.addEntry("snd/c.wav", beep);
    folder.addEntry("snd/tune.mod", "not really a module");
    folder.openArchive();
  }
  void TearDown() override {
    sounds.release();
    DManager::releaseSoundSystem();
    wce::installWaveOutDriver(nullptr);
  }

  SoundManager& made(bool lazy) {
    sounds = new SoundManager();
    sounds->init(names({u"snd/a", u"snd/b", u"snd/c", u"snd/tune", u"snd/none"}),
                 ints({0, 0, 1, 1, 0}),
                 ints({0, 0, 0, 1, 0}),
                 2,
                 lazy);
    return *sounds;
  }

  std::shared_ptr<wce::ManualWaveOutDriver> driver = std::make_shared<wce::ManualWaveOutDriver>();
  wce::ManualClock clock{5000};
  wce::ScopedClockSource clockScope{clock};
  GameFolder folder;
  std::string beep;
  qel::lang::DPtr<SoundManager> sounds;
};

TEST_F(SoundManagerTest, FilesResolveToWavThenModWithTheirSizes) {
  SoundManager& s = made(true);
  EXPECT_EQ(text(s.info(0)->fileName), "snd/a.wav");
  EXPECT_EQ(s.info(0)->size, static_cast<int32_t>(beep.size()));
  EXPECT_EQ(text(s.info(3)->fileName), "snd/tune.mod");
  EXPECT_EQ(s.info(4)->fileName, nullptr);
  EXPECT_EQ(s.info(4)->size, 0);
  EXPECT_FALSE(s.hasPlayer(0));  // lazy: nothing made yet
}

TEST_F(SoundManagerTest, PlayStartsLoopsAndRecordsTheTime) {
  SoundManager& s = made(true);
  clock.setMillis(7000);
  DPlayerPtr looping = s.play(0, true, 0);
  ASSERT_NE(looping, nullptr);
  EXPECT_EQ(looping->getLoopCount(), -1);
  EXPECT_EQ(s.info(0)->startTime, 7000);
  EXPECT_TRUE(s.isPlaying(0));
  DPlayerPtr once = s.playOnce(1, 0);
  ASSERT_NE(once, nullptr);
  EXPECT_EQ(once->getLoopCount(), 1);

  s.stop(1, false);  // kind 1: neither a nor b
  EXPECT_TRUE(s.isPlaying(0));
  s.stop(0, false);
  EXPECT_FALSE(s.isPlaying(0));
  EXPECT_FALSE(s.isPlaying(1));
}

TEST_F(SoundManagerTest, NothingPlaysWithoutAFileDisabledOrOutOfRange) {
  SoundManager unset;
  EXPECT_EQ(unset.play(0, false, 0), nullptr);
  EXPECT_FALSE(unset.isPlaying(0));
  unset.stop(-1, false);
  SoundManager& s = made(true);
  EXPECT_EQ(s.play(4, false, 0), nullptr);
  EXPECT_EQ(s.play(3, false, 0), nullptr);  // a damaged module makes no player
  EXPECT_EQ(s.play(-1, false, 0), nullptr);
  EXPECT_EQ(s.play(5, false, 0), nullptr);
  s.setGroupBypass(false);
  EXPECT_EQ(s.play(0, false, 0), nullptr);  // group 0 is off
  s.setGroupSwitch(0, 1);
  EXPECT_NE(s.play(0, false, 0), nullptr);
  s.release();
  EXPECT_EQ(s.play(0, false, 0), nullptr);
}

TEST_F(SoundManagerTest, TheBudgetDropsTheEarliestStartedIdlePlayer) {
  SoundManager& s = made(true);
  ASSERT_TRUE(s.loadSound(0));
  ASSERT_TRUE(s.loadSound(1));
  s.info(0)->startTime = 100;
  s.info(1)->startTime = 50;
  const int32_t size = s.info(0)->size;
  for (int i = 0; i < 3; ++i) s.info(i)->size = gamelib::SoundManager::LazyBudget / 2 - 10;
  EXPECT_TRUE(s.loadSound(2));
  EXPECT_TRUE(s.hasPlayer(0));
  EXPECT_FALSE(s.hasPlayer(1));
  EXPECT_GT(size, 0);

  ASSERT_NE(s.play(0, true, 0), nullptr);
  ASSERT_NE(s.play(2, true, 0), nullptr);
  EXPECT_FALSE(s.loadSound(1));  // both loaded sounds are playing
  s.info(1)->size = gamelib::SoundManager::LazyBudget + 1;
  s.stop(-1, false);
  EXPECT_FALSE(s.loadSound(1));  // larger than the whole budget
}

TEST_F(SoundManagerTest, APlayerThatGetsNoChannelPlaysNothing) {
  SoundManager& s = made(true);
  ASSERT_TRUE(s.loadSound(0));
  DManager::releaseSoundSystem();
  EXPECT_EQ(s.play(0, true, 0), nullptr);
  EXPECT_EQ(s.info(0)->startTime, 0);
}

TEST_F(SoundManagerTest, EagerModeLoadsEverySoundAtOnce) {
  SoundManager& s = made(false);
  EXPECT_TRUE(s.hasPlayer(0));
  EXPECT_TRUE(s.hasPlayer(2));
  EXPECT_FALSE(s.hasPlayer(4));
}

TEST_F(SoundManagerTest, VolumesAreClampedAndListsMustMatch) {
  SoundManager s;
  s.setSfxVolume(-5);
  s.setMusicVolume(100);
  EXPECT_EQ(s.sfxVolume(), 0);
  EXPECT_EQ(s.musicVolume(), 64);
  EXPECT_EQ(DManager::getMusicVolume(), 64);
  try {
    s.init(names({u"a", u"b"}), ints({0}), ints({0, 0}), 1, true);
    ADD_FAILURE() << "no exception";
  } catch (qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), qel::lang::ExceptionCode::IllegalArgument);
  }
}

}  // namespace
