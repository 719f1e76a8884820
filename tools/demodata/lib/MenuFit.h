#pragma once

#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// Lines of the main menu as the game lays it out on a screen: its list window without frame or
// title picture, a row a line (two on a touch screen), glyph cells as `layout` gives them to the game.
struct MainMenuLines {
  int fitting;  // lines the screen holds below the menu's title bar
  int needed;   // lines its eight items take
};
MainMenuLines mainMenuLines(const ScreenLayout& layout, const ScreenSet& screen);

// Throws naming the screen when its main menu would scroll: `layout` is the screen's as the game
// reads it (enlarged for an enlarged set).
void checkMainMenuFits(const ScreenLayout& layout, const ScreenSet& screen);

}  // namespace nv::demodata
