#pragma once

#include <filesystem>
#include <string>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

// The glyph order of the language files: character i is glyph i.
class Alphabet {
public:
  static Alphabet load(const std::filesystem::path& file);
  explicit Alphabet(std::u32string characters);

  const std::u32string& characters() const { return characters_; }
  std::size_t size() const { return characters_.size(); }
  // Glyph indices of a UTF-8 text; throws naming the first character that has no glyph.
  std::vector<int> glyphsOf(const std::string& utf8) const;
  int glyphOf(char32_t c) const;  // -1 when absent
  std::string utf8() const;

private:
  std::u32string characters_;
};

}  // namespace nv::demodata
