#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/projects/gamelib/GameFolder.h"

// Writes language files: a mode byte, the alphabet, then entries 1 to the
// highest id given (ids not given are empty). Texts are spelled in the
// alphabet's characters; glyphs() sets raw glyph values.
class LanguageFileWriter {
public:
  LanguageFileWriter(int mode, std::string alphabet) : mode_(mode), alphabet_(std::move(alphabet)) {}

  LanguageFileWriter& text(int id, const std::string& spelled) {
    std::vector<int> glyphs;
    for (char c : spelled) glyphs.push_back(static_cast<int>(alphabet_.find(c)));
    return this->glyphs(id, glyphs);
  }
  LanguageFileWriter& glyphs(int id, std::vector<int> values) {
    entries_[id] = std::move(values);
    return *this;
  }

  std::string bytes() const {
    DataBytes data;
    data.byte(mode_).utf(alphabet_);
    int last = entries_.empty() ? 0 : entries_.rbegin()->first;
    for (int id = 1; id <= last; ++id) {
      auto entry = entries_.find(id);
      std::vector<int> glyphs = entry == entries_.end() ? std::vector<int>{} : entry->second;
      data.s16(static_cast<int>(glyphs.size()));
      for (int g : glyphs) mode_ == 1 || mode_ == 2 ? data.s16(g) : data.byte(g);
    }
    return data;
  }

private:
  int mode_;
  std::string alphabet_;
  std::map<int, std::vector<int>> entries_;
};
