#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// State 5: the languages of the catalogue as flags and names in a centred
// window; choosing one stores it, names the alphabet picture and the text
// table after it and starts the splash. Statics of MainCanvas.
struct LanguageScreen {
  static constexpr int32_t highlightFill = 0x848484;

  // The window's layout fields for the screen canvas's size, the bitmap
  // font and the flags; a missing flag counts as 0 wide and is skipped.
  static void layoutLanguageScreen();
  static void paintLanguageScreen(const qel::lcdui::DGraphicsPtr& g);
  // Up and down move the highlight round the list; select applies the
  // highlighted language (the first one when the index lies outside).
  static void updateLanguageScreen();
  // The row of the list under (x, y), or -1.
  static int32_t languageRowAt(int32_t x, int32_t y);

private:
  static void applyLanguage();
};

}  // namespace nvx
