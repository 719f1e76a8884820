#pragma once

#include <cstdint>

namespace nvx {

// A pen press turned into the game's keys: the touch zones first, then by
// state the steering in level play, the open window, the map screen's
// spots and shop grid, and the language list. Statics of MainCanvas.
struct Pointer {
  // The map spots the rectangle groups of "res.dat" stand for, by group.
  static constexpr int8_t spotOfGroup[7] = {2, 0, 7, 4, 6, 3, 5};

  static void handlePointer(int32_t x, int32_t y);

private:
  static void steer(int32_t x, int32_t y);
  static void mapPointer(int32_t x, int32_t y);
  static void gridPointer(int32_t x, int32_t y);
  static void languagePointer(int32_t x, int32_t y);
  // The corner spot (8 left, 1 right) under the pointer, -1 none.
  static int32_t cornerSpot(int32_t x, int32_t y);
  // A tap on the selected spot activates it; another spot is selected and
  // activated once the cursor has glided there.
  static void tapSpot(int32_t spot);
  static void selectSpot(int32_t spot);
};

}  // namespace nvx
