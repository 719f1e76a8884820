#include <gtest/gtest.h>
#include <set>

#include "Golden.h"
#include "HeadlessGame.h"
#include "ScenarioScripts.h"
#include "platform/screen/PngFile.h"

namespace {

struct Language {
  std::string id;
  std::string scenario;
  friend void PrintTo(const Language& language, std::ostream* out) { *out << language.id; }
};

// The screens script chooses German, the language screen's second row; English is its first.
std::string scriptIn(const Language& language) {
  std::string script = driverScript("screens");
  if (language.id == "en") {
    const std::string choice = "key Down\nkey Return\nuntil splash=";
    const std::size_t at = script.find(choice);
    if (at != std::string::npos) script.erase(at, std::string("key Down\n").size());
  }
  return script;
}

class ScreensTest : public ::testing::TestWithParam<Language> {};

// Every screen of the game once per language, as one set of PNG files for
// people under the build tree's screens/<language> folder, named by the
// script's checkpoints.
TEST_P(ScreensTest, EveryScreenIsShownAndWrittenForPeople) {
  const Language& language = GetParam();
  HeadlessGame game(language.scenario);
  const HeadlessGame::Start start = game.start(scriptIn(language), 900000);
  EXPECT_EQ(start.failure, "") << start.log;
  EXPECT_EQ(compareWithGolden(language.scenario, start.log), "");
  const std::string folder = std::string(NV_DRIVER_SCREENS_DIR) + "/" + language.id;
  std::filesystem::create_directories(folder);
  for (const auto& [name, panel] : start.checkpoints) {
    std::set<uint16_t> colours(panel.pixels.begin(), panel.pixels.end());
    EXPECT_GT(colours.size(), 3u) << name << " is all but blank";
    EXPECT_EQ(wce::writeRgb565Png(folder + "/" + name + ".png", panel.pixels.data(), panel.width, panel.height), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ScreensTest,
                         ::testing::Values(Language{"de", "screens"}, Language{"en", "screens-en"}),
                         [](const ::testing::TestParamInfo<Language>& info) { return info.param.id; });

}  // namespace
