#pragma once

#include <cstdint>

#include "lang/DString.h"
#include "lang/DshortArray.h"

namespace nvx {

// The current language's alphabet and settings, and the state of the bitmap
// text, as statics of MainCanvas. The font's cell is textCharWidth by
// textLineHeight.
struct TextState {
  // Character i is glyph i; the first is the space.
  static inline qel::lang::DStringPtr alphabet;
  // The file's mode byte: 1 and 2 hold 16-bit glyphs, others 8-bit.
  static inline int8_t fontMode = 0;
  static inline uint8_t wideTexts = 0;
  // Glyphs of "_" and "-"; -1 when the alphabet lacks them.
  static inline int16_t lineBreakGlyph = -1;
  static inline int16_t hyphenGlyph = -1;
  static inline int16_t spaceGlyph = 0;
  static inline int8_t glyphsPerRow = 0;
  // Settings of the language file.
  static inline uint8_t noSpaceWrap = 0;
  static inline uint8_t settingFlag268 = 0;
  static inline int32_t layoutValue269 = 0;
  static inline int32_t layoutValue270 = 0;
  static inline int32_t layoutValue271 = 0;
  static inline int32_t layoutValue272 = 0;
  static inline int32_t layoutValue273 = 0;
  // The glyphs that count as vowels when a word is broken.
  static inline qel::lang::DshortArrayPtr specialGlyphs;
  // Cells left on a line that ends in a broken word; -1 none.
  static inline int32_t hyphenCut = -1;
};

}  // namespace nvx
