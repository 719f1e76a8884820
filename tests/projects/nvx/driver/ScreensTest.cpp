#include <gtest/gtest.h>
#include <set>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"
#include "platform/screen/PngFile.h"

namespace {

// Every screen of the game once, as one set of PNG files for people under
// the build tree's screens folder, named by the script's checkpoints.
TEST(ScreensTest, EveryScreenIsShownAndWrittenForPeople) {
  HeadlessGame game("screens");
  const HeadlessGame::Start start = game.start(driverScript("screens"), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden("screens", start.log), "");
  std::filesystem::create_directories(NV_DRIVER_SCREENS_DIR);
  for (const auto& [name, panel] : start.checkpoints) {
    std::set<uint16_t> colours(panel.pixels.begin(), panel.pixels.end());
    EXPECT_GT(colours.size(), 3u) << name << " is all but blank";
    EXPECT_EQ(
        wce::writeRgb565Png(
            std::string(NV_DRIVER_SCREENS_DIR) + "/" + name + ".png", panel.pixels.data(), panel.width, panel.height),
        "");
  }
}

}  // namespace
