#pragma once

#include <cstdint>
#include <vector>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata::test {

// What libpng reports about a PNG: its header, the tRNS alphas and the decoded RGBA pixels.
struct PngFacts {
  bool ok = false;
  std::uint32_t width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  std::vector<int> transparencyAlphas;
  std::vector<std::uint8_t> rgba;  // width * height * 4
  std::uint8_t alphaAt(std::uint32_t x, std::uint32_t y) const { return rgba[(y * width + x) * 4 + 3]; }
};

PngFacts probePng(const Bytes& file);

}  // namespace nv::demodata::test
