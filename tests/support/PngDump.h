#pragma once

#include <fstream>
#include <string>

#include "microedition/lcdui/DImage.h"
#include "tests/support/OutputFolder.h"
#include "tests/support/ScreenPixels.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PngWriter.h"

namespace nvtest {

// The picture as "<name>.png" in the test program's build folder, for a
// person to look at; tests compare pixels, never these files.
inline void dumpPng(const qel::lcdui::DImagePtr& image, const std::string& name) {
  nv::demodata::Image out(image->getWidth(), image->getHeight());
  for (int x = 0; x < out.width(); ++x)
    for (int y = 0; y < out.height(); ++y) out.set(x, y, nv::demodata::rgb(pixel(image, x, y)));
  const auto png = nv::demodata::encodePng(out);
  std::ofstream(outputFolder() / (name + ".png"), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

}  // namespace nvtest
