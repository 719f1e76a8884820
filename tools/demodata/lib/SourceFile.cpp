#include "tools/demodata/lib/SourceFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace nv::demodata {

SourceFile::SourceFile(const std::filesystem::path& path) : path_(path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be read");
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text == "#" || text.rfind("# ", 0) == 0) continue;
    lines_.push_back({number, text});
  }
}

void SourceFile::fail(const Line& line, const std::string& message) const {
  throw std::runtime_error(path_.string() + ":" + std::to_string(line.number) + ": " + message);
}

void SourceFile::fail(const std::string& message) const { throw std::runtime_error(path_.string() + ": " + message); }

std::vector<std::string> splitWords(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

int parseInt(const std::string& word) {
  std::size_t used = 0;
  const int value = std::stoi(word, &used, 10);
  if (used != word.size()) throw std::invalid_argument("not a number: " + word);
  return value;
}

}  // namespace nv::demodata
