#include "nvx/src/text/LanguageTexts.h"

#include <cstdio>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "lang/DStringBuffer.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/TextState.h"

namespace nvx {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// Highest entry number a DShort cache key holds.
constexpr int32_t lastEntryId = 32767;

}  // namespace

DStringPtr LanguageTexts::languageFileName() {
  DStringPtr id = gamelib::LangInfo::languageId(GameState::languageIndex);
  return DString::concat(DString::concat(u"lng_", id), u".dat");
}

bool LanguageTexts::wideGlyphs() { return TextState::wideTexts != 0 || TextState::fontMode == 2; }

int32_t LanguageTexts::readCount(DDataInputStream& in) {
  int32_t count = static_cast<int16_t>(in.readShort());
  if (count < 0) qel::lang::throwException(ExceptionCode::IO);
  return count;
}

DshortArrayPtr LanguageTexts::readGlyphs(DDataInputStream& in, int32_t count) {
  DshortArrayPtr glyphs = new DshortArray(count);
  bool wide = wideGlyphs();
  for (int32_t i = 0; i < count; ++i)
    glyphs->at(i) = static_cast<int16_t>(wide ? in.readShort() : in.readUnsignedByte());
  return glyphs;
}

void LanguageTexts::skipGlyphs(DDataInputStream& in, int32_t count) {
  int64_t bytes = wideGlyphs() ? 2 * static_cast<int64_t>(count) : count;
  if (in.skip(bytes) < bytes) qel::lang::throwException(ExceptionCode::EndOfFile);
}

void LanguageTexts::setGlyphsPerRow() {
  auto* font = GameState::pictures ? dynamic_cast<qel::lcdui::DImage*>(GameState::pictures->at(0).get()) : nullptr;
  if (!font || GameState::textCharWidth <= 0) return;
  TextState::glyphsPerRow_ = static_cast<int8_t>(font->getWidth() / GameState::textCharWidth);
  GameTables::spriteTable->at(SpriteRows::fontSprite)->at(4) = TextState::glyphsPerRow;
}

void LanguageTexts::applySetting(int32_t id, const DshortArrayPtr& glyphs) {
  int32_t value = 0;
  try {
    value = qel::lang::DInteger::parseInt(glyphsToString(glyphs));
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Runtime);
    return;
  }
  switch (id) {
    case 267: TextState::noSpaceWrap_ = value == 1; break;
    case 268: TextState::settingFlag268_ = value == 1; break;
    case 269: TextState::layoutValue269_ = value; break;
    case 270: TextState::layoutValue270_ = value; break;
    case 271: TextState::layoutValue271_ = value; break;
    case 272: TextState::layoutValue272_ = value; break;
    case 273: TextState::layoutValue273_ = value; break;
    default: break;
  }
}

void LanguageTexts::loadLanguage() {
  setGlyphsPerRow();
  try {
    DDataInputStreamPtr in = openTextStream(languageFileName());
    if (in) readLanguage(*in);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  TextState::specialGlyphs = getText(vowelsText);
}

void LanguageTexts::readLanguage(DDataInputStream& in) {
  try {
    TextState::fontMode_ = static_cast<int8_t>(in.readByte());
    TextState::wideTexts_ = TextState::fontMode == 1;
    TextState::alphabet = in.readUTF();
    TextState::lineBreakGlyph_ = static_cast<int16_t>(TextState::alphabet->indexOf(u'_'));
    TextState::hyphenGlyph_ = static_cast<int16_t>(TextState::alphabet->indexOf(u'-'));
    for (int32_t id = 1; id <= lastEntryId; ++id) {
      int32_t count = readCount(in);
      if (id == uncachedText) {
        skipGlyphs(in, count);
        continue;
      }
      DshortArrayPtr glyphs = readGlyphs(in, count);
      if (id >= noSpaceWrapText && id <= lastSettingText) {
        applySetting(id, glyphs);
        continue;
      }
      if (id == bestResultsExtraText) GameState::bestResultsExtra_ = count > 0;
      GameTables::textCache->put(new qel::lang::DShort(static_cast<int16_t>(id)), glyphs);
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::IO);
  }
  in.close();
}

DshortArrayPtr LanguageTexts::readEntry(int32_t id) {
  if (id > lastEntryId) return nullptr;
  try {
    DDataInputStreamPtr in = openTextStream(languageFileName());
    if (!in) return nullptr;
    in->readByte();
    int32_t alphabetBytes = in->readUnsignedShort();
    if (in->skip(alphabetBytes) < alphabetBytes) return nullptr;
    int32_t count = readCount(*in);
    for (int32_t k = 1; k != id; ++k) {
      skipGlyphs(*in, count);
      count = readCount(*in);
    }
    DshortArrayPtr glyphs = readGlyphs(*in, count);
    in->close();
    return glyphs;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return nullptr;
  }
}

DshortArrayPtr LanguageTexts::getText(int32_t id) {
  if (id < 0) return new DshortArray(0);
  if (GameTables::textCache && id <= lastEntryId) {
    if (auto* cached = dynamic_cast<DshortArray*>(
            GameTables::textCache->get(qel::lang::DObjectPtr(new qel::lang::DShort(static_cast<int16_t>(id))))))
      return cached;
  }
  DshortArrayPtr glyphs = readEntry(id);
  if (glyphs) return glyphs;
#ifndef NDEBUG
  std::fprintf(stderr, "nvx: no text %d\n", static_cast<int>(id));
#endif
  return new DshortArray(0);
}

DStringPtr LanguageTexts::getTextString(int32_t id) { return glyphsToString(getText(id)); }

DStringPtr LanguageTexts::glyphsToString(const DshortArrayPtr& glyphs) {
  qel::lang::DStringBuffer text;
  for (int32_t i = 0; i < glyphs->length(); ++i) text.append(alphabetChar(glyphs->at(i)));
  return text.toString();
}

DStringPtr LanguageTexts::byteGlyphsToString(const qel::lang::DbyteArrayPtr& glyphs) {
  qel::lang::DStringBuffer text;
  for (int32_t i = 0; i < glyphs->length(); ++i) text.append(alphabetChar(glyphs->at(i)));
  return text.toString();
}

char16_t LanguageTexts::alphabetChar(int32_t glyph) {
  if (!TextState::alphabet) qel::lang::throwException(ExceptionCode::StringIndexOutOfBounds);
  return TextState::alphabet->charAt(glyph);
}

DshortArrayPtr LanguageTexts::stringToGlyphs(const DStringPtr& text) {
  DshortArrayPtr glyphs = new DshortArray(text->length());
  for (int32_t i = 0; i < text->length(); ++i)
    glyphs->at(i) = static_cast<int16_t>(TextState::alphabet ? TextState::alphabet->indexOf(text->charAt(i)) : -1);
  return glyphs;
}

DDataInputStreamPtr LanguageTexts::openTextStream(const DStringPtr& name) {
  qel::io::DInputStreamPtr stream = gamelib::GameLib::getResourceAsStream(name);
  if (!stream) return nullptr;
  return new DDataInputStream(stream);
}

}  // namespace nvx
