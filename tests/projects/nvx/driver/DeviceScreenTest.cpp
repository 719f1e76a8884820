#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"
#include "platform/screen/PngFile.h"

namespace {

// The devices whose screens the data set serves beside 240 x 320, as profile
// files give them, each with the name its golden logs and screen pictures go
// by and the screen the game draws on.
struct Device {
  const char* profile;
  const char* name;
  int width;
  int height;
};

const Device kDevices[] = {{"preset = VGA\n", "vga", 480, 640},
                           {"preset = Palm Treo 700w\n", "square", 240, 240},
                           {"preset = SmartPhone\n", "smartphone", 176, 220}};

class DeviceScreenTest : public testing::TestWithParam<Device> {
protected:
  std::string golden(const std::string& scenario) const { return std::string(GetParam().name) + "-" + scenario; }

  // A first start that chose German, to the main menu.
  HeadlessGame::Start firstRun(HeadlessGame& game) const {
    HeadlessGame::Start start = game.start(driverScript("first-run"));
    EXPECT_EQ(start.failure, "") << start.log;
    return start;
  }
};

TEST_P(DeviceScreenTest, TheFirstRunReachesTheMainMenuOnTheWholeScreen) {
  HeadlessGame game(golden("first-run"), GetParam().profile);
  const HeadlessGame::Start start = firstRun(game);
  EXPECT_EQ(compareWithGolden(golden("first-run"), start.log), "");
  ASSERT_EQ(start.checkpoints.count("main-menu"), 1u);
  const Panel& menu = start.checkpoints.at("main-menu");
  EXPECT_EQ(menu.width, GetParam().width);
  EXPECT_EQ(menu.height, GetParam().height);
}

TEST_P(DeviceScreenTest, TheTrainingLevelsArePlayedInARowToTheirGoals) {
  HeadlessGame game(golden("training-all"), GetParam().profile);
  firstRun(game);
  const HeadlessGame::Start start = game.start(trainingInARow(), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(golden("training-all"), start.log), "");
  EXPECT_EQ(start.log.find("Übungsziel verfehlt"), std::string::npos);
  EXPECT_NE(start.log.find("dialog 40 title \"Übung beendet\""), std::string::npos) << "the training's end";
}

TEST_P(DeviceScreenTest, TheFirstJobsSolutionEndsInAPayOut) {
  const std::string name = jobNames().front();
  HeadlessGame game(golden(name), GetParam().profile);
  firstRun(game);
  const HeadlessGame::Start start = game.start(jobStart(1) + contentOf(solutionFile(name)), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(golden(name), start.log), "");
  EXPECT_NE(start.log.find("dialog 11 title \"Ergebnis\""), std::string::npos) << "the break-in's result";
}

// Every screen of the game once, written for people under the build tree's
// screens folder, one subfolder a device.
TEST_P(DeviceScreenTest, EveryScreenIsShownAndWrittenForPeople) {
  HeadlessGame game(golden("screens"), GetParam().profile);
  const HeadlessGame::Start start = game.start(driverScript("screens"), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(golden("screens"), start.log), "");
  const std::string folder = std::string(NV_DRIVER_SCREENS_DIR) + "/" + GetParam().name;
  std::filesystem::create_directories(folder);
  for (const auto& [name, panel] : start.checkpoints) {
    std::set<uint16_t> colours(panel.pixels.begin(), panel.pixels.end());
    EXPECT_GT(colours.size(), 3u) << name << " is all but blank";
    EXPECT_EQ(wce::writeRgb565Png(folder + "/" + name + ".png", panel.pixels.data(), panel.width, panel.height), "");
  }
}

// The job's solution with the Smartphone's keypad in place of the Pocket PC's
// application keys: "#" records each wait, and a "*" after one more wait takes
// it back, so the plan and its pay-out stay the same.
std::string withKeypad(const std::string& solution) {
  std::string out;
  std::istringstream lines(solution);
  bool undone = false;
  for (std::string line; std::getline(lines, line);) {
    if (line != "key +") {
      out += line + "\n";
      continue;
    }
    if (!undone) {
      out += "key Pound\nwait 1s\nkey Star\nwait 1s\n";
      undone = true;
    }
    out += "key Pound\n";
  }
  return out;
}

TEST(SmartphoneKeypadTest, StarAndPoundTakeBackAndRecordWaitsInAJobsPlan) {
  const std::string name = "job-12-lawyers";
  const std::string solution = contentOf(solutionFile(name));
  ASSERT_NE(solution.find("key +"), std::string::npos) << "the solution records waits";
  HeadlessGame game("smartphone-" + name, "preset = SmartPhone\n");
  ASSERT_EQ(game.start(driverScript("first-run")).failure, "");
  const HeadlessGame::Start start = game.start(jobStart(12) + withKeypad(solution), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("smartphone-" + name, start.log), "");
  EXPECT_NE(start.log.find("dialog 11 title \"Ergebnis\""), std::string::npos) << "the break-in's result";
}

// A 320 x 240 panel that the system shows turned to portrait: the display
// hands the game the panel as it is, and the game starts on the 320 x 240 set
// and reaches its main menu (the script's "Down" leaves the first language
// chosen there, as the log records).
TEST(TurnedPanelTest, ALandscapePanelShownAsPortraitStartsOnTheLandscapeSet) {
  HeadlessGame game("landscape-first-run", "orientation = 90\n");
  const HeadlessGame::Start start = game.start(driverScript("first-run"));
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("landscape-first-run", start.log), "");
  EXPECT_NE(start.log.find("dialog 22 title \"Nightvault\""), std::string::npos) << "the main menu";
}

INSTANTIATE_TEST_SUITE_P(Screens, DeviceScreenTest, testing::ValuesIn(kDevices),
                         [](const testing::TestParamInfo<Device>& info) { return std::string(info.param.name); });

}  // namespace
