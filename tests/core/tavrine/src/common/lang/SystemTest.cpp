#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lang/DRuntime.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/ProcessCommandLine.h"
#include "lang/TextCodec.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Clock.h"
#include "platform/testing/FolderOverrides.h"
#include "platform/testing/ManualClock.h"
#include "tests/core/tavrine/src/common/lang/TestHost.h"
#include "wireless/messaging/SmsLibrary.h"

using namespace qel::lang;
using qel::messaging::SmsAddress;
using qel::messaging::SmsLibrary;

namespace {

std::string utf8(std::u16string_view text) { return toMultiByte(text); }
std::string textOf(const DStringPtr& s) { return s ? utf8(s->view()) : "<null>"; }

class DSystemTest : public ::testing::Test {
protected:
  void TearDown() override {
    DSystem::timerDestroyAll();
    ProcessCommandLine::set({});
    SmsLibrary::set(false, nullptr);
  }
};

TEST_F(DSystemTest, TextProperties) {
  ProcessCommandLine::set(u"/width 320");
  wce::ScopedDeviceProfile profile(wce::DeviceProfile{});
  struct Row {
    const char16_t* key;
    const char16_t* value;
  };
  const Row rows[] = {
      {u"app.commandline", u"/width 320"},
      {u"file.separator", u"\\"},
      {u"archive.name", u"game.dat"},
      {u"archive.password", u""},
      {u"platform.string", u"PocketPC"},
      {u"system.eventbasedloop", u"false"},
      {u"wireless.messaging.sms.smsc", u"<null>"},
      {u"wireless.messaging.sms.smssupport", u"false"},
      {u"sensor.accelerometer", u"false"},
      {u"Archive.name", u"<null>"},
      {u"archive.name ", u"<null>"},
      {u"unknown", u"<null>"},
  };
  for (const Row& row : rows) EXPECT_EQ(textOf(DSystem::getProperty(row.key)), utf8(row.value)) << textOf(row.key);
  EXPECT_TRUE(DSystem::getProperty(nullptr).isNull());
}

TEST_F(DSystemTest, IntegerProperties) {
  wce::ScopedDeviceProfile profile(wce::DeviceProfile{});
  struct Row {
    const char16_t* key;
    int32_t value;
  };
  const Row rows[] = {
      {u"platform.type", 2},
      {u"input.touchscreen", 1},
      {u"input.softkeys", 0},
      {u"input.qwerty", -1},
      {u"input.mouse", 0},
      {u"sound.stereo", 1},
      {u"sound.bps", 16},
      {u"sound.frequency", 44100},
      {u"sound.frequency.1", -1},
      {u"sound.sfx_channels", 32},
      {u"sound.music_channels", 16},
      {u"sound.buffer_size", 300},
      {u"platform.browser", 1},
      {u"system.eventbasedloop", 0},
      {u"wireless.messaging.sms.smssupport", 0},
      {u"sensor.accelerometer", 0},
      {u"unknown", -1},
  };
  for (const Row& row : rows) EXPECT_EQ(DSystem::getIntProperty(row.key), row.value) << textOf(row.key);
  EXPECT_EQ(DSystem::getIntProperty(nullptr), -1);
}

TEST_F(DSystemTest, PlatformTextDecidesTouchAndSoftKeys) {
  struct Row {
    const char16_t* platform;
    bool pointingDevice;
    int32_t touch;
    int32_t softKeys;
  };
  const Row rows[] = {
      {u"PocketPC", false, 1, 0},
      {u"pocketpc", false, 0, 0},
      {u"pocketpc", true, 1, 0},
      {u"SmartPhone", false, 0, 1},
      {u"SmartPhone", true, 1, 1},
      {u"Smartphone", false, 0, 0},
  };
  for (const Row& row : rows) {
    wce::DeviceProfile device;
    device.platformType = row.platform;
    device.touchScreen = row.pointingDevice;
    wce::ScopedDeviceProfile profile(device);
    EXPECT_EQ(textOf(DSystem::getProperty(u"platform.string")), utf8(row.platform));
    EXPECT_EQ(DSystem::getIntProperty(u"input.touchscreen"), row.touch) << textOf(row.platform);
    EXPECT_EQ(DSystem::getIntProperty(u"input.softkeys"), row.softKeys) << textOf(row.platform);
  }
  wce::ScopedDeviceProfile smartPhone(*wce::devicePreset("SmartPhone"));
  EXPECT_EQ(DSystem::getIntProperty(u"input.softkeys"), 1);
  EXPECT_EQ(DSystem::getIntProperty(u"input.touchscreen"), 0);
}

TEST_F(DSystemTest, ProgramFolderHasNoTrailingSeparator) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "nv program folder";
  wce::setProgramFolder(folder.string() + "/");
  EXPECT_EQ(textOf(DSystem::getProperty(u"app.fullpath")), textOf(new DString(folder.c_str())));
  EXPECT_EQ(textOf(DSystem::getApplicationDirectory()), textOf(new DString(folder.c_str())));
  wce::setProgramFolder({});
}

TEST_F(DSystemTest, LanguageIsTwoUnitsAtMost) {
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  for (auto [locale, language] : {std::pair{"de_DE.UTF-8", "DE"}, {"C", "EN"}, {"chs", "CH"}}) {
    setenv("LC_ALL", locale, 1);
    EXPECT_EQ(textOf(DSystem::getProperty(u"system.language")), language) << locale;
  }
  if (saved)
    setenv("LC_ALL", previous.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

int32_t answerSmsc(SmsAddress* address) {
  std::u16string_view text = u"+4917012345";
  std::copy(text.begin(), text.end(), address->address);
  return 0;
}

int32_t failSmsc(SmsAddress*) { return -1; }

int32_t unterminatedSmsc(SmsAddress* address) {
  std::fill(std::begin(address->address), std::end(address->address), u'7');
  return 1;
}

TEST_F(DSystemTest, SmsProperties) {
  SmsLibrary::set(true, &answerSmsc);
  EXPECT_EQ(textOf(DSystem::getProperty(u"wireless.messaging.sms.smsc")), "+4917012345");
  EXPECT_EQ(textOf(DSystem::getProperty(u"wireless.messaging.sms.smssupport")), "true");
  EXPECT_EQ(DSystem::getIntProperty(u"wireless.messaging.sms.smssupport"), 1);
  SmsLibrary::set(true, &failSmsc);
  EXPECT_TRUE(DSystem::getProperty(u"wireless.messaging.sms.smsc").isNull());
  SmsLibrary::set(true, &unterminatedSmsc);
  EXPECT_EQ(DSystem::getProperty(u"wireless.messaging.sms.smsc")->length(), 256);
  SmsLibrary::set(true, nullptr);
  EXPECT_TRUE(DSystem::getProperty(u"wireless.messaging.sms.smsc").isNull());
}

TEST_F(DSystemTest, CommandLineIsCutTo1023Units) {
  ProcessCommandLine::set(std::u16string(2000, u'a'));
  EXPECT_EQ(DSystem::getProperty(u"app.commandline")->length(), 1023);
}

TEST_F(DSystemTest, TickClockIsSixtyFourBits) {
  const uint64_t past32Bits = (uint64_t{1} << 32) + 5;
  wce::ManualClock clock(past32Bits);
  wce::ScopedClockSource installed(clock);
  EXPECT_EQ(DSystem::currentTimeMillis(0), static_cast<int64_t>(past32Bits));
  DSystem::sleep(250);
  EXPECT_EQ(DSystem::currentTimeMillis(0), static_cast<int64_t>(past32Bits + 250));
  EXPECT_EQ(clock.sleptMillis(), 250u);
}

TEST_F(DSystemTest, WallClockIsUnixMilliseconds) {
  const int64_t before =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  const int64_t wall = DSystem::currentTimeMillis(1);
  const int64_t after =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  EXPECT_GE(wall, before - 1);
  EXPECT_LE(wall, after + 1);
}

TEST(DRuntimeTest, OneInstance) {
  DRuntimePtr first = DRuntime::getRuntime();
  DRuntimePtr second = DRuntime::getRuntime();
  EXPECT_EQ(first, second);
  EXPECT_FALSE(first.isNull());
}

// Platform timers as the host window would run them, failing on demand.
struct FakeTimerHost final : TestHost {
  std::vector<std::pair<int32_t, uint32_t>> started;
  std::vector<int32_t> killed;
  bool failNext = false;

  bool setTimer(int32_t id, uint32_t ms) override {
    if (std::exchange(failNext, false)) return false;
    started.emplace_back(id, ms);
    return true;
  }
  void killTimer(int32_t id) override { killed.push_back(id); }
};

std::vector<std::pair<int32_t, intptr_t>> fired;
void recordFiring(int32_t id, intptr_t argument) { fired.emplace_back(id, argument); }

TEST_F(DSystemTest, TimerIdsFollowTheLargest) {
  EXPECT_EQ(DSystem::timerCreate(nullptr, 0, 10, false), 0);
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 1);
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 2);
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 3);
  DSystem::timerDestroy(3);
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 3);
  DSystem::timerDestroy(1);
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 4);
  DSystem::timerDestroy(99);
}

TEST_F(DSystemTest, TimerStartStopAndFailures) {
  FakeTimerHost host;
  host.failNext = true;
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 7, 40, true), 0);
  EXPECT_FALSE(DSystem::timerStart(1));

  const int32_t id = DSystem::timerCreate(&recordFiring, 7, 40, true);
  EXPECT_EQ(id, 1);
  EXPECT_TRUE(DSystem::timerStart(id));
  EXPECT_EQ(host.started, (std::vector<std::pair<int32_t, uint32_t>>{{1, 40}}));

  DSystem::timerStop(id);
  DSystem::timerStop(id);
  EXPECT_EQ(host.killed, std::vector<int32_t>{1});
  host.failNext = true;
  EXPECT_FALSE(DSystem::timerStart(id));
  EXPECT_TRUE(DSystem::timerStart(id));
  DSystem::timerDestroy(id);
  EXPECT_EQ(host.killed, (std::vector<int32_t>{1, 1}));
  EXPECT_FALSE(DSystem::timerStart(id));
}

TEST_F(DSystemTest, TimersWithoutAHostWindowNeverStart) {
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, true), 0);
  const int32_t id = DSystem::timerCreate(&recordFiring, 0, 10, false);
  EXPECT_FALSE(DSystem::timerStart(id));
}

TEST_F(DSystemTest, TimerDispatch) {
  FakeTimerHost host;
  fired.clear();
  const int32_t active = DSystem::timerCreate(&recordFiring, 11, 10, true);
  const int32_t idle = DSystem::timerCreate(&recordFiring, 22, 10, false);
  DSystem::timerDispatch(active);
  DSystem::timerDispatch(idle);
  DSystem::timerDispatch(42);
  EXPECT_EQ(fired, (std::vector<std::pair<int32_t, intptr_t>>{{active, 11}}));
  EXPECT_EQ(host.killed, std::vector<int32_t>{idle});

  DSystem::timerDestroyAll();
  EXPECT_EQ(host.killed, (std::vector<int32_t>{idle, active}));
  EXPECT_EQ(DSystem::timerCreate(&recordFiring, 0, 10, false), 1);
}

void destroyItself(int32_t id, intptr_t) { DSystem::timerDestroy(id); }

TEST_F(DSystemTest, ACallbackMayDestroyItsOwnTimer) {
  FakeTimerHost host;
  const int32_t id = DSystem::timerCreate(&destroyItself, 0, 10, true);
  DSystem::timerDispatch(id);
  EXPECT_EQ(host.killed, std::vector<int32_t>{id});
  EXPECT_FALSE(DSystem::timerStart(id));
}

}  // namespace
