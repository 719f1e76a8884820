#include "tools/demodata/lib/Flag.h"

#include <map>
#include <string>
#include <vector>

#include "tools/demodata/lib/SourceFile.h"

namespace nv::demodata {

Image loadFlag(const std::filesystem::path& file) {
  const SourceFile source(file);
  std::map<char, Rgba> colours;
  std::vector<std::string> rows;
  for (const auto& line : source.lines()) {
    const std::vector<std::string> words = splitWords(line.text);
    if (words.size() == 3 && words[0] == "colour" && words[1].size() == 1 && words[2].size() == 6 &&
        words[2].find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
      if (!rows.empty()) source.fail(line, "colours come before the rows");
      colours[words[1][0]] = rgb(static_cast<std::uint32_t>(std::stoul(words[2], nullptr, 16)));
    } else if (words.size() == 2 && words[0] == "row") {
      if (!rows.empty() && words[1].size() != rows.front().size()) source.fail(line, "rows of different lengths");
      for (char c : words[1])
        if (!colours.count(c)) source.fail(line, std::string("no colour named ") + c);
      rows.push_back(words[1]);
    } else {
      source.fail(line, "expected \"colour <letter> <rrggbb>\" or \"row <letters>\"");
    }
  }
  if (rows.empty()) source.fail("a flag needs rows");
  Image flag(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x)
      flag.set(static_cast<int>(x), static_cast<int>(y), colours.at(rows[y][x]));
  return flag;
}

}  // namespace nv::demodata
