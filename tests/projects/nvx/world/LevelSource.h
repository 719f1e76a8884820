#pragma once

#include <string>
#include <vector>

#include "tests/projects/gamelib/GameFolder.h"
#include "tools/demodata/lib/Level.h"
#include "tools/demodata/lib/SourceFile.h"

// The demo data's levels as the data builder reads them, and an archive
// holding the builder's "m" made from them (or from levels a test writes).
class LevelSource {
public:
  static std::vector<nv::demodata::Level> demoLevels() {
    const std::filesystem::path root = std::filesystem::path(NV_SOURCE_DIR) / "data" / "levels";
    const auto legend = nv::demodata::loadLegend(root / "legend.txt");
    std::vector<nv::demodata::Level> levels;
    const nv::demodata::SourceFile order(root / "order.txt");
    for (const auto& line : order.lines())
      levels.push_back(nv::demodata::loadLevel(root / (line.text + ".txt"), legend));
    return levels;
  }

  // "m" holding the given record bodies, each behind its length.
  void install(const std::vector<nv::demodata::Bytes>& bodies) {
    nv::demodata::Bytes file;
    for (const auto& body : bodies) {
      file.push_back(static_cast<uint8_t>(body.size() >> 8));
      file.push_back(static_cast<uint8_t>(body.size()));
      file.insert(file.end(), body.begin(), body.end());
    }
    folder_.addEntry("m", file);
    folder_.openArchive();
  }
  void install(const std::vector<nv::demodata::Level>& levels) {
    folder_.addEntry("m", nv::demodata::encodeLevelFile(levels));
    folder_.openArchive();
  }

private:
  GameFolder folder_;
};
