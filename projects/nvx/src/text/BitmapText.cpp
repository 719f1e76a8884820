#include "nvx/src/text/BitmapText.h"

#include <algorithm>
#include <string>

#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "lang/DbyteArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/text/TextState.h"

namespace nvx {

using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphicsPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

int32_t lengthOf(const DshortArrayPtr& glyphs) { return glyphs ? glyphs->length() : 0; }

// The decimal number of text, or -1 when it is none.
int32_t placeholderNumber(const std::u16string& text) {
  try {
    return qel::lang::DInteger::parseInt(new DString(std::u16string_view(text)));
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::IllegalArgument);
    return -1;
  }
}

std::u16string parameterText(qel::lang::DObject* param) {
  if (!param) return {};
  DStringPtr text;
  if (auto* id = dynamic_cast<qel::lang::DShort*>(param))
    text = LanguageTexts::getTextString(id->shortValue());
  else if (auto* bytes = dynamic_cast<qel::lang::DbyteArray*>(param))
    text = LanguageTexts::byteGlyphsToString(bytes);
  else
    text = param->toString();
  return text ? std::u16string(text->view()) : std::u16string();
}

}  // namespace

bool BitmapText::isSeparator(int32_t glyph) {
  return glyph == TextState::spaceGlyph || glyph == TextState::lineBreakGlyph;
}

bool BitmapText::drawsInWideFont(int32_t glyph, bool mixed) {
  return (glyph >= 79 && glyph <= 93) || (!mixed && GameHelpers::isFontGlyphA(glyph));
}

void BitmapText::drawGlyphs(const DGraphicsPtr& g, const DshortArrayPtr& glyphs, int32_t x, int32_t y, int32_t clipLeft,
                            int32_t clipRight) {
  if (!glyphs) return;
  int32_t cellW = GameState::textCharWidth;
  bool wide = TextState::wideTexts != 0;
  bool mixed = false;
  if (wide) {
    g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
    for (int32_t i = 0; i < glyphs->length(); ++i) mixed = mixed || !GameHelpers::isFontGlyphB(glyphs->at(i));
  }
  if (y + GameState::textLineHeight < 1 || y >= GameState::screenHeight) return;
  for (int32_t i = 0; i < glyphs->length(); ++i) {
    int32_t v = glyphs->at(i);
    if (v == -1 || (wide && !drawsInWideFont(v, mixed))) continue;
    int32_t left = x + cellW * i;
    bool shows = clipLeft == clipRight ? left + cellW >= 1 && left < GameState::screenWidth
                                       : left >= clipLeft && left + cellW <= clipRight;
    if (shows) SpriteDrawing::drawSpriteFrame(g, SpriteRows::fontSprite, v, left, y);
  }
}

void BitmapText::drawText(const DGraphicsPtr& g, const DshortArrayPtr& glyphs, int32_t x, int32_t y) {
  drawGlyphs(g, glyphs, x, y, 0, 0);
}

void BitmapText::drawString(const DGraphicsPtr& g, const DStringPtr& text, int32_t x, int32_t y) {
  if (text) drawText(g, LanguageTexts::stringToGlyphs(text), x, y);
}

DshortArrayPtr BitmapText::formatText(int32_t id, const qel::lang::DObjectArrayPtr& params) {
  std::u16string text(LanguageTexts::getTextString(id)->view());
  int32_t count = params ? params->length() : 0;
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c != u'{') {
      out.push_back(c);
      ++i;
      continue;
    }
    size_t close = text.find(u'}', i + 1);
    size_t nextOpen = text.find(u'{', i + 1);
    if (nextOpen != std::u16string::npos && (close == std::u16string::npos || nextOpen < close)) {
      out.push_back(u'{');
      ++i;
      continue;
    }
    int32_t n = close == std::u16string::npos ? -1 : placeholderNumber(text.substr(i + 1, close - i - 1));
    if (n < 0) {
      out.append(text, i, 2);
      i += 2;
      continue;
    }
    if (n < count) out += parameterText(params->at(n).get());
    i = close + 1;
  }
  return LanguageTexts::stringToGlyphs(new DString(std::move(out)));
}

int32_t BitmapText::lineEnd(const DshortArrayPtr& glyphs, int32_t start, int32_t last, int32_t cellsPerLine) {
  int32_t len = lengthOf(glyphs);
  int32_t e = std::min(len - 1, last);
  if (e == len - 1) return e + 1;
  if (e + 2 < len && isSeparator(glyphs->at(e + 1))) return e + 2;
  if (e < start) return breakWord(start, e, cellsPerLine, glyphs);
  while (e > start && !isSeparator(glyphs->at(e))) --e;
  int32_t result;
  int32_t found = glyphs->at(e);
  if (!isSeparator(found) || (found == TextState::spaceGlyph && TextState::noSpaceWrap))
    result = breakWord(start, e, cellsPerLine, glyphs);
  else
    result = e + 1;
  return std::min(result, len);
}

int32_t BitmapText::breakWord(int32_t start, int32_t pos, int32_t cellsPerLine, const DshortArrayPtr& glyphs) {
  int32_t len = lengthOf(glyphs);
  int32_t lastCell = start + cellsPerLine - 1;
  int32_t room = lastCell - pos;
  int32_t dot = TextState::alphabet ? TextState::alphabet->indexOf(u'.') : 0;
  if (room > 2) {
    int32_t wordLength = 0;
    for (int32_t i = pos + 1; i >= 0 && i < len; ++i) {
      int32_t v = glyphs->at(i);
      if (v == TextState::spaceGlyph || v >= dot) break;
      ++wordLength;
    }
    if (wordLength > 3) {
      int32_t b = hyphenate(glyphs, wordLength, room - 1, pos + 1);
      if (b != -1) {
        TextState::hyphenCut_ = lastCell - b;
        return b;
      }
    }
  }
  if (room < 3) return pos + 1;
  for (int32_t k = std::min(lastCell, len - 1); k >= start && k >= 0; --k) {
    int32_t v = glyphs->at(k);
    if (v == TextState::spaceGlyph || v == dot) {
      if (k + 1 > start) return k + 1;
      break;
    }
  }
  return lastCell;
}

bool BitmapText::isVowelGlyph(int32_t glyph) {
  const DshortArrayPtr& vowels = TextState::specialGlyphs;
  for (int32_t i = 0; vowels && i < vowels->length(); ++i)
    if (vowels->at(i) == glyph) return true;
  return false;
}

int32_t BitmapText::countVowels(int32_t from, int32_t to, const DshortArrayPtr& glyphs) {
  int32_t count = 0;
  for (int32_t i = std::max(from, 0); i < std::min(to, lengthOf(glyphs)); ++i) count += isVowelGlyph(glyphs->at(i));
  return count;
}

int32_t BitmapText::hyphenate(const DshortArrayPtr& glyphs, int32_t wordLength, int32_t room, int32_t wordStart) {
  int32_t end = std::min(wordStart + wordLength, lengthOf(glyphs));
  if (countVowels(wordStart, end, glyphs) < 2 || room <= 0) return -1;
  DshortArrayPtr noBreak = LanguageTexts::getText(LanguageTexts::noBreakText);
  auto breaksBefore = [&](int32_t glyph) {
    for (int32_t i = 0; i < noBreak->length(); ++i)
      if (noBreak->at(i) == glyph) return false;
    return true;
  };
  auto vowel = [&](int32_t i) { return i >= 0 && isVowelGlyph(glyphs->at(i)); };
  for (int32_t p = std::min(wordStart + room, end - 1); p >= wordStart + 1; --p) {
    int32_t before = countVowels(wordStart, p, glyphs);
    int32_t after = countVowels(p, end, glyphs);
    if (before == 0 || after == 0 || !breaksBefore(glyphs->at(p))) continue;
    if (before == p - wordStart || after == end - p) continue;
    bool previous = vowel(p - 1);
    bool here = vowel(p);
    if ((!vowel(p - 2) && previous && !here) || (previous && here) || (!previous && !here)) return p;
  }
  return -1;
}

int32_t BitmapText::countLines(const DshortArrayPtr& glyphs, int32_t cellsPerLine) {
  int32_t len = lengthOf(glyphs);
  int32_t pos = 0;
  int32_t lines = 0;
  while (pos < len) {
    int32_t end = lineEnd(glyphs, pos, pos + cellsPerLine - 1, cellsPerLine);
    for (int32_t k = pos; k < std::min(end, len); ++k)
      if (glyphs->at(k) == TextState::lineBreakGlyph) {
        end = k + 1;
        break;
      }
    pos = std::max(pos + 1, std::min(len, end));
    ++lines;
  }
  return lines;
}

DshortArrayPtr BitmapText::justifyLine(int32_t start, int32_t end, int32_t hasBreak, const DshortArrayPtr& glyphs,
                                       int32_t count, int32_t extra) {
  int32_t rangeEnd = std::min(end - hasBreak, lengthOf(glyphs));
  int32_t gaps = 0;
  if (extra > 0) {
    bool seenWord = false;
    bool endsInGap = false;
    for (int32_t i = start; i < rangeEnd; ++i) {
      bool space = glyphs->at(i) == TextState::spaceGlyph;
      if (space && seenWord && !endsInGap) ++gaps;
      endsInGap = space && seenWord;
      if (!space) seenWord = true;
    }
    if (endsInGap) --gaps;
  }
  DshortArrayPtr line = new DshortArray(std::max(count + std::max(extra, 0) + 1, 0));
  for (int32_t i = 0; i < line->length(); ++i) line->at(i) = TextState::spaceGlyph;
  int32_t q = gaps > 0 ? extra / gaps : 0;
  int32_t r = gaps > 0 ? extra % gaps : 0;
  int32_t out = 0;
  int32_t gapsPassed = 0;
  bool seenWord = false;
  bool inGap = false;
  for (int32_t i = start; i < start + count && i < lengthOf(glyphs); ++i) {
    int32_t v = glyphs->at(i);
    bool space = v == TextState::spaceGlyph;
    if (space && seenWord && !inGap && gapsPassed < gaps) {
      out += q + (gapsPassed == 0 ? r : 0);
      ++gapsPassed;
    }
    inGap = space && seenWord;
    if (!space) seenWord = true;
    if (out < line->length()) line->at(out) = static_cast<int16_t>(v);
    ++out;
  }
  return line;
}

void BitmapText::drawWrapped(const DGraphicsPtr& g, const DshortArrayPtr& glyphs, int32_t firstLine, int32_t x,
                             int32_t y, int32_t cellsPerLine, int32_t lineCount, int32_t lineHeight) {
  int32_t len = lengthOf(glyphs);
  int32_t pos = 0;
  for (int32_t k = 0; pos < len && k < firstLine + lineCount; ++k) {
    TextState::hyphenCut_ = -1;
    int32_t end = std::min(len, lineEnd(glyphs, pos, pos + cellsPerLine - 1, cellsPerLine));
    int32_t hasBreak = 0;
    for (int32_t i = pos; i < end; ++i)
      if (glyphs->at(i) == TextState::lineBreakGlyph) {
        end = i + 1;
        hasBreak = 1;
        break;
      }
    end = std::max(end, pos + 1);
    int32_t count = end - hasBreak - pos;
    bool broken = !hasBreak && TextState::hyphenCut != -1;
    int32_t extra = 0;
    if (broken) {
      extra = TextState::hyphenCut;
    } else if (!hasBreak) {
      extra = cellsPerLine - count + 1;
      if (len - end < extra) extra = 0;
    }
    if (k >= firstLine) {
      DshortArrayPtr line = justifyLine(pos, end, hasBreak, glyphs, count, extra);
      if (broken) {
        int32_t last = line->length() - 1;
        while (last >= 0 && line->at(last) == TextState::spaceGlyph) --last;
        if (last + 1 < line->length()) line->at(last + 1) = TextState::hyphenGlyph;
      }
      drawText(g, line, x, y + (k - firstLine) * lineHeight);
    }
    pos = end;
  }
}

qel::io::DDataInputStreamPtr BitmapText::openLevelRecord(int32_t n) {
  if (n < 1 || n > GameTables::levelTable->length()) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  qel::io::DDataInputStreamPtr in = LanguageTexts::openTextStream(new DString("m"));
  if (!in) qel::lang::throwException(ExceptionCode::IO);
  int32_t length = in->readUnsignedShort();
  for (int32_t record = 1; record < n; ++record) {
    if (in->skip(length) < length) qel::lang::throwException(ExceptionCode::EndOfFile);
    length = in->readUnsignedShort();
  }
  return in;
}

}  // namespace nvx
