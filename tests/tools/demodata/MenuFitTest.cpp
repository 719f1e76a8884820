#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/MenuFit.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata::test {
namespace {

const std::filesystem::path kLayout = std::filesystem::path(NV_SOURCE_DIR) / "data/layout";

// The shared tables with glyph cells `lineHeight` high.
ScreenLayout withGlyphCell(const nvtest::TempFolder& folder, int lineHeight) {
  std::ofstream(folder / "screen.txt") << "textLineHeight " << lineHeight << "\n";
  std::ofstream(folder / "sprites.txt") << "43 0 0 6 " << lineHeight << " 0 0 font\n";
  return ScreenLayout::loadOver(ScreenLayout::load(kLayout), folder.path());
}

// Eight menu rows a line each, two on a touch screen, below the title bar: on 240 x 240 the
// touch screen's 16 lines take glyph cells at most 6 high; without touch 9 fit on 176 x 220.
TEST(MainMenuFit, RefusesAScreenWhereTheMainMenuWouldScroll) {
  struct Case {
    ScreenSet screen;
    int lineHeight;
    int fitting;
    bool fits;
  };
  const Case cases[] = {
      {{240, 240, "", 1, "", true}, 9, 13, false},  // the square screen with the tall cells
      {{240, 240, "", 1, "", true}, 7, 15, false},  // one row short
      {{240, 240, "", 1, "", true}, 6, 16, true},   // exactly the sixteen lines
      {{240, 240, "", 1, "", false}, 9, 13, true},  // one line a row without touch
      {{176, 220, "", 1, "", false}, 9, 11, true},  // the Smartphone
      {{176, 120, "", 1, "", false}, 9, 5, false},  // too low even without touch
      {{240, 320, "", 1, "", true}, 9, 18, true},   // the screen the sources are drawn for
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen.name() + (c.screen.touchScreen ? " touch, cell " : " keys, cell ") +
                 std::to_string(c.lineHeight));
    const nvtest::TempFolder folder{"nv-menu-fit"};
    const ScreenLayout layout = withGlyphCell(folder, c.lineHeight);
    const MainMenuLines lines = mainMenuLines(layout, c.screen);
    EXPECT_EQ(lines.fitting, c.fitting);
    EXPECT_EQ(lines.needed, c.screen.touchScreen ? 16 : 8);
    if (c.fits) {
      EXPECT_NO_THROW(checkMainMenuFits(layout, c.screen));
    } else {
      try {
        checkMainMenuFits(layout, c.screen);
        ADD_FAILURE() << "the main menu scrolls";
      } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(c.screen.name() + ": the main menu"), std::string::npos) << e.what();
      }
    }
  }
}

// Every screen the data set serves, with its own tables as the game reads them.
TEST(MainMenuFit, TheMainMenuFitsEveryScreenOfTheDataSet) {
  const ScreenLayout base = ScreenLayout::load(kLayout);
  for (const ScreenSet& screen : DataSet::screens()) {
    const ScreenLayout layout = screen.paintedLayout(base, kLayout).scaled(screen.scale);
    EXPECT_NO_THROW(checkMainMenuFits(layout, screen)) << screen.name();
  }
}

}  // namespace
}  // namespace nv::demodata::test
