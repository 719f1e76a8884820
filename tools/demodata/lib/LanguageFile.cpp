#include "tools/demodata/lib/LanguageFile.h"

#include <stdexcept>

#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

constexpr int kNameIds[] = {207, 251, 252, 253, 254, 255};
constexpr int kNameLength = 5;
constexpr int kNameLetters = 53;

void fail(int id, const std::string& message) {
  throw std::runtime_error("text " + std::to_string(id) + ": " + message);
}

}  // namespace

LanguageFile LanguageFile::load(const std::filesystem::path& file, const Alphabet& alphabet) {
  SourceFile source(file);
  std::vector<std::vector<int>> entries;
  for (const auto& line : source.lines()) {
    const auto blank = line.text.find(' ');
    const std::string idText = line.text.substr(0, blank);
    int id = 0;
    try {
      id = parseInt(idText);
    } catch (const std::exception&) {
      source.fail(line, "expected \"<id> <text>\"");
    }
    if (id != static_cast<int>(entries.size()) + 1)
      source.fail(line, "expected text " + std::to_string(entries.size() + 1));
    const std::string text = blank == std::string::npos ? "" : line.text.substr(blank + 1);
    try {
      entries.push_back(alphabet.glyphsOf(text));
    } catch (const std::exception& e) {
      source.fail(line, e.what());
    }
  }
  try {
    LanguageFile language(alphabet, std::move(entries));
    language.check();
    return language;
  } catch (const std::exception& e) {
    source.fail(e.what());
  }
}

LanguageFile::LanguageFile(const Alphabet& alphabet, std::vector<std::vector<int>> entries)
    : alphabet_(alphabet), entries_(std::move(entries)) {}

void LanguageFile::check() const {
  if (static_cast<int>(entries_.size()) < kHighestTextId)
    fail(static_cast<int>(entries_.size()) + 1,
         "missing (texts 1-" + std::to_string(kHighestTextId) + " are all needed)");
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].size() > 0x7FFF) fail(static_cast<int>(i + 1), "longer than 32767 glyphs");
  for (int id : kNameIds) {
    const auto& name = entries_[id - 1];
    if (name.size() != kNameLength) fail(id, "a name must have exactly 5 letters");
    for (int g : name)
      if (g >= kNameLetters) fail(id, "a name may use only the space and letters (glyphs 0-52)");
  }
  for (int id = 267; id <= 274; ++id) {
    const auto& number = entries_[id - 1];
    if (number.empty()) fail(id, "a decimal number is needed");
    for (int g : number) {
      const char32_t c = alphabet_.characters()[g];
      if (c < U'0' || c > U'9') fail(id, "only decimal digits");
    }
  }
}

Bytes LanguageFile::encode() const {
  BigEndianWriter out;
  out.u8(0);
  out.utf(alphabet_.utf8());
  for (const auto& entry : entries_) {
    out.s16(static_cast<int>(entry.size()));
    for (int g : entry) out.u8(g);
  }
  return out.take();
}

}  // namespace nv::demodata
