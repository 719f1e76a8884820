#pragma once

#include <cstdint>
#include <utility>

#include "lang/DPtr.h"
#include "lang/DString.ptr.h"
#include "lang/DshortArray2d.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"

namespace nvx {

// Small helpers the game's areas share.
struct GameHelpers {
  // The two glyph classes of the bitmap font.
  static bool isFontGlyphA(int32_t glyph);
  static bool isFontGlyphB(int32_t glyph);
  // Whether a / b rounds up to the nearest integer (halves upward): the
  // remainder has the sign of a, so never for a negative a; false for b 0.
  static bool roundsUp(int32_t a, int32_t b);
  // Bits outside 0 to 31 read as 0 and are left alone.
  static bool testBit(int32_t value, int32_t bit);
  static int8_t setBit(int32_t value, int32_t bit, bool on);
  // A number in [lo, hi] from the game's generator; lo when lo >= hi.
  static int32_t randomInRange(int32_t lo, int32_t hi);
  // lo + |draw| mod (hi - lo + 1), the magnitude taken without overflow.
  static int32_t pickInRange(int32_t lo, int32_t hi, int32_t draw);
  // 'h' + class; 't' (class 12) is the empty pocket.
  static int16_t itemCode(int32_t itemClass);
  // The archive's name + ".png", else + ".jpg"; null when neither exists.
  static qel::lcdui::DImagePtr imageByName(const qel::lang::DStringPtr& name);
  // Moves a counted reference out of from, leaving from null.
  template <class T>
  static qel::lang::DPtr<T> takeRef(qel::lang::DPtr<T>& from) {
    return std::exchange(from, nullptr);
  }
  // rows rows of cols zeros; rows < 0 throws the index exception.
  static qel::lang::DshortArray2dPtr newShortArray2d(int32_t rows, int32_t cols);

private:
  static uint64_t magnitude(int32_t v);
};

}  // namespace nvx
