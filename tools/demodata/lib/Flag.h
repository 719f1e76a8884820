#pragma once

#include <filesystem>

#include "tools/demodata/lib/Image.h"

namespace nv::demodata {

// The flag of a language screen row, from its source: "colour <letter> <rrggbb>" lines naming
// the colours, then "row <letters>" lines, one letter a pixel, all rows of one length.
Image loadFlag(const std::filesystem::path& file);

}  // namespace nv::demodata
