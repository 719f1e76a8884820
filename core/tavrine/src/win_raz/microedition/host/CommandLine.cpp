#include "microedition/host/CommandLine.h"

#include <string>
#include <vector>

#include "lang/DString.h"
#include "util/DStringManager.h"

namespace qel::host {

using qel::lang::DString;
using qel::lang::DStringPtr;

namespace {

struct Word {
  std::u16string_view text;
  size_t offset;
};

std::vector<Word> splitWords(std::u16string_view line) {
  std::vector<Word> words;
  size_t start = 0;
  while (start < line.size()) {
    size_t end = line.find(u' ', start);
    if (end == std::u16string_view::npos) end = line.size();
    if (end > start) words.push_back({line.substr(start, end - start), start});
    start = end + 1;
  }
  return words;
}

}  // namespace

int32_t leadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > INT32_MAX) value = INT32_MAX + int64_t{negative};
  }
  return static_cast<int32_t>(negative ? -value : value);
}

void applyCommandLine(std::u16string_view commandLine, qel::util::DStringManager& configuration) {
  std::vector<Word> words = splitWords(commandLine);
  int32_t width = -1;
  int32_t height = -1;
  for (size_t i = 0; i < words.size(); ++i) {
    std::u16string_view word = words[i].text;
    const bool hasValue = i + 1 < words.size();
    if (word.starts_with(u"/nofullscreen")) {
      configuration.put(DStringPtr(u"nofullscreen"), DStringPtr(u"true"));
    } else if (word.starts_with(u"/resoultion")) {
      if (!hasValue) continue;
      DStringPtr rest = new DString(commandLine.substr(words[++i].offset));
      configuration.put(DStringPtr(u"resoultion"), rest);
    } else if (word.starts_with(u"/width")) {
      if (hasValue) width = leadingNumber(words[++i].text);
    } else if (word.starts_with(u"/height")) {
      if (hasValue) height = leadingNumber(words[++i].text);
    }
  }
  if (width >= 1 && height >= 1) {
    DStringPtr resolution = DString::concat(DString::concat(DString::valueOf(width), u"x"), DString::valueOf(height));
    configuration.put(DStringPtr(u"resolution"), resolution);
  }
}

}  // namespace qel::host
