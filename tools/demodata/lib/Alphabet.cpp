#include "tools/demodata/lib/Alphabet.h"

#include <stdexcept>

#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

namespace {

void require(bool condition, const std::string& message) {
  if (!condition) throw std::runtime_error("alphabet: " + message);
}

// ASCII letters and the letters of Latin-1 and Latin Extended-A/B.
bool isLetter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

}  // namespace

Alphabet Alphabet::load(const std::filesystem::path& file) {
  SourceFile source(file);
  std::u32string chars;
  for (const auto& line : source.lines()) chars += line.text == "space" ? U" " : decodeUtf8(line.text);
  return Alphabet(chars);
}

Alphabet::Alphabet(std::u32string characters) : characters_(std::move(characters)) {
  require(!characters_.empty() && characters_[0] == U' ', "glyph 0 must be the space");
  require(characters_.size() <= 256, "more than 256 glyphs need the 16-bit mode");
  for (std::size_t i = 0; i < characters_.size(); ++i)
    for (std::size_t j = i + 1; j < characters_.size(); ++j)
      require(characters_[i] != characters_[j], "character listed twice: " + encodeUtf8(characters_[i]));
  for (std::size_t i = 1; i <= 52; ++i) {
    require(i < characters_.size(), "glyphs 1-52 must be letters");
    const char32_t c = characters_[i];
    require((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c > 0x7F, "glyphs 1-52 must be letters");
  }
  const int dot = glyphOf(U'.');
  require(dot >= 53, "\".\" must follow every letter");
  for (std::size_t i = dot + 1; i < characters_.size(); ++i) {
    const char32_t c = characters_[i];
    require(!isLetter(c), "a letter after \".\": " + encodeUtf8(c));
  }
  for (char32_t c : std::u32string(U"0123456789{}:$-_;)"))
    require(glyphOf(c) >= 0, std::string("missing required character ") + encodeUtf8(c));
}

int Alphabet::glyphOf(char32_t c) const {
  const auto at = characters_.find(c);
  return at == std::u32string::npos ? -1 : static_cast<int>(at);
}

std::vector<int> Alphabet::glyphsOf(const std::string& utf8) const {
  std::vector<int> glyphs;
  for (char32_t c : decodeUtf8(utf8)) {
    const int g = glyphOf(c);
    if (g < 0) throw std::runtime_error("character without a glyph: \"" + encodeUtf8(c) + "\"");
    glyphs.push_back(g);
  }
  return glyphs;
}

std::string Alphabet::utf8() const {
  std::string out;
  for (char32_t c : characters_) out += encodeUtf8(c);
  return out;
}

}  // namespace nv::demodata
