// Reads any byte string as the current language's text file, then fetches
// and converts texts. Loading and fetching never throw; converting may refuse
// a glyph outside the alphabet. Anything else is a fault.
#include <cstdint>
#include <string>

#include "gamelib/LangInfo.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/text/LanguageTexts.h"
#include "tests/core/tavrine/src/common/io/double/MemoryArchive.h"

using namespace qel::lang;
using nvx::GameState;
using nvx::LanguageTexts;
using nvx::MainCanvas;

namespace {

std::string utfRecord(const std::string& text) {
  return std::string{static_cast<char>(text.size() >> 8), static_cast<char>(text.size())} + text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  qel::lang::DPtr<qel::io::MemoryArchive> archive = new qel::io::MemoryArchive();
  archive->entries[u"lang.dat"] = utfRecord("LANG=English") + utfRecord("ID=en");
  archive->entries[u"lng_en.dat"] = std::string(reinterpret_cast<const char*>(data), size);
  qel::io::DArchive::setCurrent(archive);
  MainCanvas::initStatics();
  GameState::languageIndex = 0;
  LanguageTexts::loadLanguage();
  for (int32_t id : {1, 2, 3, 264, 267, 275, 302}) {
    DshortArrayPtr text = LanguageTexts::getText(id);
    try {
      LanguageTexts::glyphsToString(text);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(ExceptionCode::StringIndexOutOfBounds);
    }
  }
  gamelib::LangInfo::releaseInstance();
  MainCanvas::releaseStatics();
  qel::io::DArchive::setCurrent(nullptr);
  return 0;
}
