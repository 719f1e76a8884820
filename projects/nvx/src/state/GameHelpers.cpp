#include "nvx/src/state/GameHelpers.h"

#include "gamelib/GameLib.h"
#include "lang/DExceptionBase.h"
#include "lang/DshortArray2d.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameTables.h"

namespace nvx {

namespace ExceptionCode = qel::lang::ExceptionCode;

bool GameHelpers::isFontGlyphA(int32_t glyph) {
  return glyph == 57 || glyph == 58 || (glyph >= 61 && glyph <= 70) || glyph == 75 || glyph == 76;
}

bool GameHelpers::isFontGlyphB(int32_t glyph) { return (glyph >= 79 && glyph <= 93) || isFontGlyphA(glyph); }

bool GameHelpers::roundsUp(int32_t a, int32_t b) {
  if (b == 0) return false;
  int64_t remainder = static_cast<int64_t>(a) % b;
  return 2 * remainder >= b;
}

bool GameHelpers::testBit(int32_t value, int32_t bit) {
  if (bit < 0 || bit > 31) return false;
  return ((static_cast<uint32_t>(value) >> bit) & 1) != 0;
}

int8_t GameHelpers::setBit(int32_t value, int32_t bit, bool on) {
  uint32_t bits = static_cast<uint32_t>(value);
  if (bit >= 0 && bit <= 31) {
    uint32_t mask = 1u << bit;
    bits = on ? (bits | mask) : (bits & ~mask);
  }
  return static_cast<int8_t>(bits);
}

int32_t GameHelpers::randomInRange(int32_t lo, int32_t hi) {
  if (lo >= hi) return lo;
  qel::util::DRandom& random = *GameTables::random;
  int32_t draw = random.next(32);
  int32_t further = static_cast<int32_t>(magnitude(draw) % 5) + 3;
  for (int32_t i = 0; i < further; ++i) draw = random.next(32);
  return pickInRange(lo, hi, draw);
}

int32_t GameHelpers::pickInRange(int32_t lo, int32_t hi, int32_t draw) {
  if (lo >= hi) return lo;
  int64_t span = static_cast<int64_t>(hi) - lo + 1;
  return static_cast<int32_t>(lo + static_cast<int64_t>(magnitude(draw) % static_cast<uint64_t>(span)));
}

uint64_t GameHelpers::magnitude(int32_t v) {
  return v < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(v)) : static_cast<uint64_t>(v);
}

int16_t GameHelpers::itemCode(int32_t itemClass) { return static_cast<int16_t>(itemClass + 'h'); }

qel::lcdui::DImagePtr GameHelpers::imageByName(const qel::lang::DStringPtr& name) {
  return gamelib::GameLib::loadImage(name);
}

qel::lang::DshortArray2dPtr GameHelpers::newShortArray2d(int32_t rows, int32_t cols) {
  if (rows < 0) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  return new qel::lang::DshortArray2d(rows, cols);
}

}  // namespace nvx
