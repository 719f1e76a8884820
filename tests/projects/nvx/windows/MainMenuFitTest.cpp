#include <filesystem>
#include <fstream>
#include <string>

#include "nvx/src/state/GameState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Writable.h"
#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/MenuFit.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nvx {
namespace {

using nv::demodata::ScreenLayout;
using nv::demodata::ScreenSet;

const std::filesystem::path kLayout = std::filesystem::path(NV_SOURCE_DIR) / "data/layout";

class MainMenuFitTest : public WindowFixture {
protected:
  // Whether the game's main menu, all eight items, scrolls on `screen` with
  // glyph cells `cellHeight` high.
  static bool mainMenuScrolls(const ScreenSet& screen, int cellHeight) {
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = screen.width;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = screen.height;
    nvtest::writable(GameState::touchInput) = screen.touchScreen ? 1 : 0;
    nvtest::writable(GameState::textLineHeight) = static_cast<int8_t>(cellHeight);
    GameState::infoImage = gamelib::GameLib::loadImage(u"pic1");
    GameDialogs::showMainMenu();
    EXPECT_EQ(DialogWindow::itemIds->length(), 8);
    return DialogWindow::scrolls != 0;
  }
};

// The builder refuses a screen set whose main menu would scroll by its own
// copy of the list layout; the game's layout must agree with it on every
// cell height around the limits, with and without touch rows.
TEST_F(MainMenuFitTest, TheBuildersForecastMatchesTheGamesLayout) {
  const ScreenSet screens[] = {{240, 240, "", 1, "", true},
                               {240, 240, "", 1, "", false},
                               {176, 220, "", 1, "", false},
                               {320, 240, "", 1, "", true},
                               {240, 320, "", 1, "", true}};
  for (const ScreenSet& screen : screens) {
    for (int cell = 5; cell <= 12; ++cell) {
      SCOPED_TRACE(screen.name() + (screen.touchScreen ? " touch" : " keys") + ", cell " + std::to_string(cell));
      const nvtest::TempFolder folder{"nv-menu-fit"};
      std::ofstream(folder / "screen.txt") << "textLineHeight " << cell << "\n";
      std::ofstream(folder / "sprites.txt") << "43 0 0 6 " << cell << " 0 0 font\n";
      const ScreenLayout layout = ScreenLayout::loadOver(ScreenLayout::load(kLayout), folder.path());
      const nv::demodata::MainMenuLines lines = nv::demodata::mainMenuLines(layout, screen);
      EXPECT_EQ(mainMenuScrolls(screen, cell), lines.needed > lines.fitting);
    }
  }
  EXPECT_TRUE(mainMenuScrolls(screens[0], 9)) << "the square screen with 240 x 320's cells";
  EXPECT_FALSE(mainMenuScrolls(screens[0], 6));
}

// Every screen set of the data set, with the cell height it gives the game.
TEST_F(MainMenuFitTest, TheMainMenuStandsUnscrolledOnEveryScreenOfTheDataSet) {
  const ScreenLayout base = ScreenLayout::load(kLayout);
  for (const ScreenSet& screen : nv::demodata::DataSet::screens()) {
    SCOPED_TRACE(screen.name());
    const ScreenLayout layout = screen.paintedLayout(base, kLayout).scaled(screen.scale);
    EXPECT_FALSE(mainMenuScrolls(screen, layout.header("textLineHeight")));
  }
}

}  // namespace
}  // namespace nvx
