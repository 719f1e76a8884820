#include "tools/demodata/lib/MenuFit.h"

#include <stdexcept>
#include <string>

namespace nv::demodata {

namespace {

// The game's list window metrics in screen pixels.
constexpr int kBorder = 3;
constexpr int kTopInset = 3;
constexpr int kBottomInset = 4;
constexpr int kTitleInset = 6;
constexpr int kMenuRowSpacing = 6;
constexpr int kScreenMarginTop = 6;
constexpr int kScreenMarginBottom = 4;
constexpr int kMainMenuItems = 8;

// The quotient rounded to nearest, a half up.
int roundedDivide(int a, int b) { return a / b + (2 * (a % b) >= b ? 1 : 0); }

}  // namespace

MainMenuLines mainMenuLines(const ScreenLayout& layout, const ScreenSet& screen) {
  const int glyphHeight = layout.header("textLineHeight");
  const int textLine = glyphHeight + glyphHeight / 5;
  const int titleBar = textLine + kTitleInset;
  const int rowLine = textLine + kMenuRowSpacing;
  const int chrome = 2 * kBorder + kBottomInset + kTopInset + titleBar;
  const int available = screen.height - kScreenMarginTop - kScreenMarginBottom - chrome;
  const int rowLines = screen.touchScreen ? (2 * rowLine + rowLine - 1) / rowLine : 1;
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
