#pragma once

#include <cstdint>

namespace nvx {

// Key codes turned into the game's action numbers, and the touch zones
// through which a pen press stands for a key, as statics of MainCanvas.
struct KeyInput {
  // Action numbers: 0 and 1 the application keys, 2 up, 3 down, 4 left,
  // 5 right, 6 to 9 the digits 1, 3, 7 and 9, 10 select, 11 the digit 0;
  // the soft keys pass through as 10000 and 10001.
  static constexpr int32_t actionUp = 2;
  static constexpr int32_t actionDown = 3;
  static constexpr int32_t actionLeft = 4;
  static constexpr int32_t actionRight = 5;
  static constexpr int32_t actionSelect = 10;
  static constexpr int32_t softKeyLeft = 10000;
  static constexpr int32_t softKeyRight = 10001;
  static constexpr int32_t selectKey = 10002;
  static constexpr int32_t noAction = 999999;
  // Zones 0 to 13 stand for the keys of keyCodeList; 14 to 17 belong to the
  // on-screen arrows of level play.
  static constexpr int32_t keyZoneCount = 14;

  // The action of a framework key code: the soft keys themselves, then the
  // digit keys, then the canvas's game action (up, left, fire, right, down)
  // with the raw codes -2 (up) and -3 (down); noAction for anything else.
  static int32_t keyAction(int32_t code);
  // Forgets the held key, then keyAction.
  static int32_t keyActionOfHeld(int32_t code);

  // Zone index becomes {x, x + w, y, y + h}; an index outside the table
  // throws the array index exception.
  static void setHotZone(int32_t index, int32_t x, int32_t y, int32_t w, int32_t h);
  // Zeroes the key zones 0 to 13; the arrow zones stay.
  static void clearHotZones();
  // The first key zone holding (x, y) strictly inside (edges do not count),
  // -1 for none.
  static int32_t hotZoneAt(int32_t x, int32_t y);

  // The item row of an item letter ('h' is item 0), as a signed byte.
  static int8_t itemIndex(int32_t letter);
};

}  // namespace nvx
