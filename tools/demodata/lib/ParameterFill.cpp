#include "tools/demodata/lib/ParameterFill.h"

namespace nv::demodata {

std::vector<int> fillParameters(const std::vector<int>& pattern, const Alphabet& alphabet,
                                const std::vector<std::vector<int>>& values) {
  const int open = alphabet.glyphOf(U'{'), close = alphabet.glyphOf(U'}'), zero = alphabet.glyphOf(U'0');
  std::vector<int> line;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const int slot =
        i + 2 < pattern.size() && pattern[i] == open && pattern[i + 2] == close ? pattern[i + 1] - zero : -1;
    if (slot >= 0 && slot < static_cast<int>(values.size())) {
      line.insert(line.end(), values[slot].begin(), values[slot].end());
      i += 2;
    } else {
      line.push_back(pattern[i]);
    }
  }
  return line;
}

}  // namespace nv::demodata
