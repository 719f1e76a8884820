#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "tools/demodata/lib/DataSet.h"
#include "tools/demodata/lib/PixelFont.h"
#include "tools/demodata/lib/ReviewSheets.h"

// nv-demodata <data folder> <output folder> [--review <folder>]: builds game.dat and engine.ini of
// the demo data set; with --review also a contact sheet of its pictures and a map of each level.
int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--review")) {
    std::cerr << "usage: nv-demodata <data folder> <output folder> [--review <folder>]\n";
    return 2;
  }
  try {
    const auto set = nv::demodata::DataSet::build(argv[1]);
    set.writeTo(argv[2]);
    std::cout << "nv-demodata: " << set.entries().size() << " entries written to " << argv[2] << "/game.dat\n";
    if (argc == 5) {
      const auto font = nv::demodata::PixelFont::load(std::filesystem::path(argv[1]) / "fonts" / "glyphs-5x8.txt");
      nv::demodata::writeReview(set, font, argv[4]);
      std::cout << "nv-demodata: review pictures written to " << argv[4] << "\n";
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "nv-demodata: " << e.what() << "\n";
    return 1;
  }
}
