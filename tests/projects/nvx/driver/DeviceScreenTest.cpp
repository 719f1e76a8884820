#include <gtest/gtest.h>
#include <set>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"
#include "platform/screen/PngFile.h"
#include "platform/system/DeviceProfile.h"

namespace {

// The devices whose screens the data set serves beside 240 x 320, each with
// the name its golden logs and screen pictures go by.
struct Device {
  const char* preset;
  const char* name;
};

const Device kDevices[] = {{"VGA", "vga"}, {"Palm Treo 700w", "square"}, {"SmartPhone", "smartphone"}};

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
  HeadlessGame game(golden("first-run"), GetParam().preset);
  const HeadlessGame::Start start = firstRun(game);
  EXPECT_EQ(compareWithGolden(golden("first-run"), start.log), "");
  const auto profile = wce::devicePreset(GetParam().preset);
  ASSERT_TRUE(profile.has_value());
  ASSERT_EQ(start.checkpoints.count("main-menu"), 1u);
  const Panel& menu = start.checkpoints.at("main-menu");
  EXPECT_EQ(menu.width, profile->screenWidth);
  EXPECT_EQ(menu.height, profile->screenHeight);
}

TEST_P(DeviceScreenTest, TheTrainingLevelsArePlayedInARowToTheirGoals) {
  HeadlessGame game(golden("training-all"), GetParam().preset);
  firstRun(game);
  const HeadlessGame::Start start = game.start(trainingInARow(), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(golden("training-all"), start.log), "");
  EXPECT_EQ(start.log.find("Übungsziel verfehlt"), std::string::npos);
  EXPECT_NE(start.log.find("dialog 40 title \"Übung beendet\""), std::string::npos) << "the training's end";
}

TEST_P(DeviceScreenTest, TheFirstJobsSolutionEndsInAPayOut) {
  const std::string name = jobNames().front();
  HeadlessGame game(golden(name), GetParam().preset);
  firstRun(game);
  const HeadlessGame::Start start = game.start(jobStart(1) + contentOf(solutionFile(name)), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(golden(name), start.log), "");
  EXPECT_NE(start.log.find("dialog 11 title \"Ergebnis\""), std::string::npos) << "the break-in's result";
}

// Every screen of the game once, written for people under the build tree's
// screens folder, one subfolder a device.
TEST_P(DeviceScreenTest, EveryScreenIsShownAndWrittenForPeople) {
  HeadlessGame game(golden("screens"), GetParam().preset);
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

INSTANTIATE_TEST_SUITE_P(Screens, DeviceScreenTest, testing::ValuesIn(kDevices),
                         [](const testing::TestParamInfo<Device>& info) { return std::string(info.param.name); });

}  // namespace
