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
  static const int8_t& fontMode;
  static const uint8_t& wideTexts;
  // Glyphs of "_" and "-"; -1 when the alphabet lacks them.
  static const int16_t& lineBreakGlyph;
  static const int16_t& hyphenGlyph;
  static inline int16_t spaceGlyph = 0;
  static const int8_t& glyphsPerRow;
  // Settings of the language file.
  static const uint8_t& noSpaceWrap;
  static const uint8_t& settingFlag268;
  static const int32_t& layoutValue269;
  static const int32_t& layoutValue270;
  static const int32_t& layoutValue271;
  static const int32_t& layoutValue272;
  static const int32_t& layoutValue273;
  // The glyphs that count as vowels when a word is broken.
  static inline qel::lang::DshortArrayPtr specialGlyphs;
  // Cells left on a line that ends in a broken word; -1 none.
  static const int32_t& hyphenCut;

private:
  friend struct BitmapText;
  friend struct LanguageTexts;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline int8_t fontMode_ = 0;
  static inline uint8_t wideTexts_ = 0;
  static inline int16_t lineBreakGlyph_ = -1;
  static inline int16_t hyphenGlyph_ = -1;
  static inline int8_t glyphsPerRow_ = 0;
  static inline uint8_t noSpaceWrap_ = 0;
  static inline uint8_t settingFlag268_ = 0;
  static inline int32_t layoutValue269_ = 0;
  static inline int32_t layoutValue270_ = 0;
  static inline int32_t layoutValue271_ = 0;
  static inline int32_t layoutValue272_ = 0;
  static inline int32_t layoutValue273_ = 0;
  static inline int32_t hyphenCut_ = -1;
};

inline const int8_t& TextState::fontMode = fontMode_;
inline const uint8_t& TextState::wideTexts = wideTexts_;
inline const int16_t& TextState::lineBreakGlyph = lineBreakGlyph_;
inline const int16_t& TextState::hyphenGlyph = hyphenGlyph_;
inline const int8_t& TextState::glyphsPerRow = glyphsPerRow_;
inline const uint8_t& TextState::noSpaceWrap = noSpaceWrap_;
inline const uint8_t& TextState::settingFlag268 = settingFlag268_;
inline const int32_t& TextState::layoutValue269 = layoutValue269_;
inline const int32_t& TextState::layoutValue270 = layoutValue270_;
inline const int32_t& TextState::layoutValue271 = layoutValue271_;
inline const int32_t& TextState::layoutValue272 = layoutValue272_;
inline const int32_t& TextState::layoutValue273 = layoutValue273_;
inline const int32_t& TextState::hyphenCut = hyphenCut_;

}  // namespace nvx
