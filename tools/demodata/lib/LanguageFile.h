#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

// The game texts of one language: entries 1..N as glyph rows of the shared alphabet.
class LanguageFile {
public:
  static constexpr int kHighestTextId = 303;

  // Source format: one text per line, "<id> <text>" (or "<id>" alone for an empty text),
  // ids 1..303 in order, each exactly once.
  static LanguageFile load(const std::filesystem::path& file, const Alphabet& alphabet);

  const std::vector<std::vector<int>>& entries() const { return entries_; }  // entry id k at index k - 1
  // Mode 0: a mode byte, the alphabet as one readUTF string, then per entry a s16 length and 8-bit glyphs.
  Bytes encode() const;

private:
  LanguageFile(const Alphabet& alphabet, std::vector<std::vector<int>> entries);
  void check() const;

  const Alphabet& alphabet_;
  std::vector<std::vector<int>> entries_;
};

}  // namespace nv::demodata
