#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace nv::demodata {

// A text source of the data set, read as lines. Comment lines ("# ..." or a lone "#") and
// blank lines are skipped; every error names the file and line.
class SourceFile {
public:
  struct Line {
    int number;
    std::string text;
  };

  explicit SourceFile(const std::filesystem::path& path);

  const std::vector<Line>& lines() const { return lines_; }
  const std::filesystem::path& path() const { return path_; }
  [[noreturn]] void fail(const Line& line, const std::string& message) const;
  [[noreturn]] void fail(const std::string& message) const;

private:
  std::filesystem::path path_;
  std::vector<Line> lines_;
};

// Splits at runs of blanks.
std::vector<std::string> splitWords(const std::string& text);
// Parses a whole decimal integer; throws std::invalid_argument otherwise.
int parseInt(const std::string& word);

}  // namespace nv::demodata
