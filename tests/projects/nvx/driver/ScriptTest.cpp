#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "nvx/app/script/Script.h"
#include "nvx/app/script/ScriptPlayer.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Windows.h"

using nvx::ScriptError;
using nvx::ScriptStep;
using nvx::ScriptVerb;

namespace {

ScriptStep step(ScriptVerb verb, int line) {
  ScriptStep s;
  s.verb = verb;
  s.line = line;
  return s;
}

TEST(ScriptTest, EachVerbReadsItsArguments) {
  ScriptStep key = step(ScriptVerb::Key, 2);
  key.virtualKey = wce::VK_RETURN;
  ScriptStep hold = step(ScriptVerb::Hold, 3);
  hold.virtualKey = wce::VK_LEFT;
  hold.millis = 1500;
  ScriptStep tap = step(ScriptVerb::Tap, 4);
  tap.x = 120;
  tap.y = 0;
  ScriptStep wait = step(ScriptVerb::Wait, 6);
  wait.millis = 250;
  ScriptStep until = step(ScriptVerb::Until, 7);
  until.name = "state";
  until.value = 3;
  until.millis = 20000;
  ScriptStep checkpoint = step(ScriptVerb::Checkpoint, 8);
  checkpoint.name = "main-menu";
  EXPECT_EQ(nvx::parseScript("# a comment\n"
                             "key Return\n"
                             "  hold Left 1.5s  # trailing comment\n"
                             "tap 120 0\r\n"
                             "\n"
                             "wait 250ms\n"
                             "until state=3 timeout=20s\n"
                             "checkpoint main-menu"),
            (std::vector<ScriptStep>{key, hold, tap, wait, until, checkpoint}));
}

TEST(ScriptTest, KeyNamesFollowTheDesktopKeys) {
  const std::map<std::string, uint32_t> keys = {
      {"Up", 38},  {"Down", 40},   {"Left", 37},   {"Right", 39}, {"0", 48},         {"9", 57},   {"A", 65},
      {"Z", 90},   {"Return", 13}, {"Select", 13}, {"F1", 112},   {"SoftLeft", 112}, {"F2", 113}, {"SoftRight", 113},
      {"Esc", 27}, {"+", 195},     {"-", 194},     {"Star", 119}, {"Pound", 120},
  };
  for (const auto& [name, virtualKey] : keys) EXPECT_EQ(nvx::virtualKeyNamed(name), virtualKey) << name;
  for (const char* name : {"", "up", "a", "10", "Enter", "F3", "*"}) EXPECT_FALSE(nvx::virtualKeyNamed(name)) << name;
}

TEST(ScriptTest, DurationsAreMillisecondsOrSeconds) {
  const std::map<std::string, uint32_t> good = {
      {"0ms", 0}, {"250ms", 250}, {"2s", 2000}, {"0.5s", 500}, {"1.25s", 1250}, {"0.042s", 42}};
  for (const auto& [text, millis] : good) EXPECT_EQ(nvx::parseDuration(text), millis) << text;
  for (const char* text : {"", "2", "s", "ms", "-1s", "1.s", ".5s", "1.2345s", "2m", "1e3ms", "99999999s", "0.-5s"})
    EXPECT_FALSE(nvx::parseDuration(text)) << text;
}

TEST(ScriptTest, ABadLineIsNamedWithWhatWasExpected) {
  const std::map<std::string, std::string> bad = {
      {"jump 3", "line 1: unknown step \"jump\""},
      {"\nkey", "line 2: expected \"key K\""},
      {"key Enter", "line 1: unknown key \"Enter\""},
      {"hold 5", "line 1: expected \"hold K DURATION\""},
      {"hold 5 long", "line 1: expected a duration such as 250ms or 2s, not \"long\""},
      {"tap -1 4", "line 1: tap takes two whole screen coordinates"},
      {"wait 2", "line 1: expected a duration such as 250ms or 2s, not \"2\""},
      {"until state timeout=1s", "line 1: expected NAME=VALUE, not \"state\""},
      {"until =3 timeout=1s", "line 1: expected NAME=VALUE, not \"=3\""},
      {"until state=x timeout=1s", "line 1: expected NAME=VALUE, not \"state=x\""},
      {"until state=3 20s", "line 1: expected timeout=DURATION, not \"20s\""},
      {"checkpoint", "line 1: expected \"checkpoint NAME\""},
  };
  for (const auto& [text, message] : bad) {
    try {
      nvx::parseScript(text);
      ADD_FAILURE() << text << " was read";
    } catch (const ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), message) << text;
    }
  }
}

TEST(ScriptTest, AMissingFileIsAnError) { EXPECT_THROW(nvx::loadScript("/nonexistent/script.txt"), ScriptError); }

// One pass of the host every frame period; the messages the player posted
// in each pass, read back from the queue of a real window.
class ScriptPlayerTest : public ::testing::Test {
protected:
  struct Posted {
    uint64_t at;
    wce::UINT message;
    wce::WPARAM wParam;
    wce::LPARAM lParam;
  };

  void SetUp() override {
    wce::WindowClassInfo info;
    info.procedure = &wce::DefWindowProcW;
    info.className = u"ScriptTarget";
    ASSERT_NE(wce::RegisterClassW(&info), 0);
    window = wce::CreateWindowExW(0, u"ScriptTarget", u"t", 0, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    wce::DestroyWindow(window);
    wce::MSG message;
    while (wce::PeekMessageW(&message, nullptr, 0, 0, wce::PM_REMOVE)) {}
    wce::UnregisterClassW(u"ScriptTarget", nullptr);
  }

  std::vector<Posted> play(nvx::ScriptPlayer& player, uint64_t untilMillis) {
    std::vector<Posted> posted;
    for (uint64_t now = 0; now <= untilMillis && !player.finished(); now += nvx::ScriptPlayer::framePeriodMs) {
      player.advance(now, window);
      wce::MSG message;
      while (wce::PeekMessageW(&message, window, wce::WM_KEYDOWN, wce::WM_LBUTTONUP, wce::PM_REMOVE))
        posted.push_back({now, message.message, message.wParam, message.lParam});
    }
    return posted;
  }

  wce::HWND window = nullptr;
};

TEST_F(ScriptPlayerTest, KeysAreReleasedAfterOneFrameAndPressedFarEnoughApartForTheGame) {
  nvx::ScriptPlayer player(nvx::parseScript("key 5\nkey 5\nhold Up 1s\nkey 6"), {});
  const std::vector<Posted> posted = play(player, 10000);
  ASSERT_EQ(posted.size(), 8u);
  EXPECT_TRUE(player.finished());
  EXPECT_TRUE(player.failure().empty());
  const wce::WPARAM keys[] = {'5', '5', wce::VK_UP, '6'};
  for (std::size_t i = 0; i < posted.size(); ++i) {
    const bool down = i % 2 == 0;
    EXPECT_EQ(posted[i].message, down ? wce::WM_KEYDOWN : wce::WM_KEYUP) << i;
    EXPECT_EQ(posted[i].wParam, keys[i / 2]) << i;
    EXPECT_EQ((posted[i].lParam >> 31) & 1, down ? 0 : 1) << i;  // the released bit
  }
  EXPECT_EQ(posted[1].at - posted[0].at, nvx::ScriptPlayer::framePeriodMs);
  EXPECT_GE(posted[5].at - posted[4].at, 1000u);
  for (std::size_t press = 2; press < posted.size(); press += 2) {
    EXPECT_GT(posted[press].at - posted[press - 2].at, 200u) << press;
    EXPECT_GE(posted[press].at - posted[press - 1].at, nvx::ScriptPlayer::keyIdleMs) << press;
  }
}

TEST_F(ScriptPlayerTest, ATapPutsThePenDownAndUpAtItsPoint) {
  nvx::ScriptPlayer player(nvx::parseScript("tap 17 300\nkey 1"), {});
  const std::vector<Posted> posted = play(player, 2000);
  ASSERT_EQ(posted.size(), 4u);
  EXPECT_EQ(posted[0].message, wce::WM_LBUTTONDOWN);
  EXPECT_EQ(posted[0].wParam, wce::MK_LBUTTON);
  EXPECT_EQ(posted[1].message, wce::WM_LBUTTONUP);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(wce::LOWORD(static_cast<uintptr_t>(posted[i].lParam)), 17);
    EXPECT_EQ(wce::HIWORD(static_cast<uintptr_t>(posted[i].lParam)), 300);
  }
  EXPECT_GE(posted[2].at - posted[1].at, nvx::ScriptPlayer::tapIdleMs);
}

TEST_F(ScriptPlayerTest, UntilWaitsForTheValueAndStopsAtItsTimeout) {
  int32_t state = 0;
  std::vector<std::string> checkpoints;
  nvx::ScriptPlayer player(
      nvx::parseScript("until state=3 timeout=1s\ncheckpoint map\nwait 100ms\nuntil state=4 timeout=500ms\nkey 1"),
      [&](const std::string& name) -> std::optional<int32_t> {
        if (name == "state") return state;
        return std::nullopt;
      },
      [&](const std::string& name) { checkpoints.push_back(name); });
  player.advance(0, window);
  player.advance(420, window);
  EXPECT_TRUE(checkpoints.empty());
  state = 3;
  player.advance(462, window);
  EXPECT_EQ(checkpoints, std::vector<std::string>{"map"});
  player.advance(562, window);  // the wait is over: the second until starts here
  player.advance(1061, window);
  EXPECT_FALSE(player.finished());
  player.advance(1062, window);
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(player.failure(), "line 4: state is 3, not 4, after 500 ms");
  wce::MSG message;
  player.advance(2000, window);
  EXPECT_FALSE(wce::PeekMessageW(&message, window, wce::WM_KEYDOWN, wce::WM_KEYUP, wce::PM_REMOVE));
}

TEST_F(ScriptPlayerTest, AValueTheGameDoesNotKnowStopsPlaying) {
  nvx::ScriptPlayer player(nvx::parseScript("wait 0ms\nuntil mood=1 timeout=1s"),
                           [](const std::string&) -> std::optional<int32_t> { return std::nullopt; });
  player.advance(0, window);
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(player.failure(), "line 2: the game has no value \"mood\"");
}

}  // namespace
