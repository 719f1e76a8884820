#include "tools/demodata/lib/MenuFit.h"

#include <stdexcept>
#include <string>

#include "nvx/src/windows/WindowMetrics.h"

namespace nv::demodata {

namespace {

using nvx::tables::WindowMetrics;

constexpr int kMainMenuItems = 8;

// The quotient rounded to nearest, a half up.
int roundedDivide(int a, int b) { return a / b + (2 * (a % b) >= b ? 1 : 0); }

}  // namespace

MainMenuLines mainMenuLines(const ScreenLayout& layout, const ScreenSet& screen) {
  const int glyphHeight = layout.header("textLineHeight");
  const int textLine = glyphHeight + glyphHeight / 5;
  const int titleBar = textLine + WindowMetrics::titleInset;
  const int rowLine = textLine + WindowMetrics::menuRowSpacing;
  const int chrome = 2 * WindowMetrics::border + WindowMetrics::bottomInset + WindowMetrics::topInset + titleBar;
  const int available = screen.height - WindowMetrics::screenMarginTop - WindowMetrics::screenMarginBottom - chrome;
  const int rowLines = screen.touchScreen ? 2 : 1;
  return {roundedDivide(available, rowLine), kMainMenuItems * rowLines};
}

void checkMainMenuFits(const ScreenLayout& layout, const ScreenSet& screen) {
  const MainMenuLines lines = mainMenuLines(layout, screen);
  if (lines.needed > lines.fitting)
    throw std::runtime_error(screen.name() + ": the main menu's eight items take " + std::to_string(lines.needed) +
                             " lines of " + std::to_string(lines.fitting) +
                             " the screen holds, so it would scroll (a lower textLineHeight fits more)");
}

}  // namespace nv::demodata
