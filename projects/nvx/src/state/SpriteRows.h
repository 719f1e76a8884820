#pragma once

#include <cstdint>

namespace nvx {

// Fixed names of sprite-table rows.
struct SpriteRows {
  static constexpr int8_t spriteBubbleEnd = 3;
  static constexpr int8_t spritePictureBox = 5;
  static constexpr int8_t spriteTitle = 7;
  static constexpr int8_t spriteItemIcons = 8;
  static constexpr int8_t spriteBottomBar = 9;
  static constexpr int8_t spriteMapPicture = 13;
  static constexpr int8_t spriteHud = 14;
  // Rows 15 to 17, smallest last.
  static constexpr int8_t spriteBubbleDot = 15;
  static constexpr int8_t spriteBubbleMiddle = 18;
  static constexpr int8_t spriteShopBase = 24;
  static constexpr int8_t spriteShopItem = 26;
  static constexpr int8_t spriteTopBar = 28;
  static constexpr int8_t spriteTopLeft = 29;
  static constexpr int8_t spriteTopRight = 30;
  // Persons 1 to 4 on the map use rows 34 to 37.
  static constexpr int8_t spritePersonFirst = 34;
  static constexpr int8_t spriteItemLine = 38;
  static constexpr int8_t spriteTag = 39;
  static constexpr int8_t spritePlaceTag = 40;
  static constexpr int8_t spriteUnavailable = 41;
  static constexpr int8_t spritePersonIcon = 42;
  // The bitmap font's glyph cells.
  static constexpr int8_t fontSprite = 43;
  static constexpr int8_t spriteInfoPicture = 52;
};

}  // namespace nvx
