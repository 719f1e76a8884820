#pragma once

#include <vector>

#include "tools/demodata/lib/Alphabet.h"

namespace nv::demodata {

// The glyphs of `pattern` with each "{n}" replaced by values[n]; a "{n}" without a value stays.
std::vector<int> fillParameters(const std::vector<int>& pattern, const Alphabet& alphabet,
                                const std::vector<std::vector<int>>& values);

}  // namespace nv::demodata
