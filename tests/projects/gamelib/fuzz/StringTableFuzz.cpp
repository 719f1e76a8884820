// Reads any byte string as the game library's text tables: the resolution
// file (8-bit lines), "options.dat" and "lang.dat" (readUTF records). The
// input splits at "\n>>\n" into the file itself and the files "a" and "b"
// beside it, which "#INCLUDE" lines (and values) may name; the file may
// include itself. Loading refuses damaged text of the file itself with an
// I/O exception, nothing else; looking up never throws.
#include <cstdint>
#include <string>
#include <vector>

#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/io/double/MemoryArchive.h"

using namespace qel::lang;

namespace {

std::vector<std::string> pieces(const std::string& input) {
  static const std::string separator = "\n>>\n";
  std::vector<std::string> out;
  size_t from = 0;
  for (size_t at; out.size() < 2 && (at = input.find(separator, from)) != std::string::npos;
       from = at + separator.size())
    out.push_back(input.substr(from, at - from));
  out.push_back(input.substr(from));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  const std::vector<std::string> files = pieces(std::string(reinterpret_cast<const char*>(data), size));
  qel::lang::DPtr<qel::io::MemoryArchive> archive = new qel::io::MemoryArchive();
  for (const char16_t* name : {u"240x320.dat", u"options.dat", u"lang.dat"}) archive->entries[name] = files[0];
  if (files.size() > 1) archive->entries[u"a"] = files[1];
  if (files.size() > 2) archive->entries[u"b"] = files[2];
  qel::io::DArchive::setCurrent(archive);
  const struct {
    const char16_t* name;
    int encoding;
    const char16_t* key;
  } tables[] = {{u"240x320.dat", gamelib::StringManager::ByteLines, u"PATH"},
                {u"/options.dat", gamelib::StringManager::RecordLines, u"SOUND"},
                {u"lang.dat", gamelib::StringManager::RecordLines, u"LANG"}};
  for (const auto& table : tables) {
    for (bool upperCase : {false, true}) {
      qel::lang::DPtr<gamelib::StringManager> texts = new gamelib::StringManager(upperCase);
      try {
        texts->load(table.name, table.encoding, true);
      } catch (DExceptionBase& e) {
        e.rethrowUnless(ExceptionCode::IO);
      }
      for (const char16_t* key : {table.key, u"ID", u"a", u""})
        gamelib::StringManager::splitString(texts->getString(key), u';');
    }
  }
  qel::io::DArchive::setCurrent(nullptr);
  return 0;
}
