#pragma once

#include <map>
#include <string>

#include "gamelib/GameLib.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tools/demodata/lib/DataSet.h"

namespace nvtest {

// The demo data set as the builder makes it from data/ (two languages, the
// builder's own pictures and font), built once per test program.
inline const nv::demodata::DataSet& demoData() {
  static const nv::demodata::DataSet data = nv::demodata::DataSet::build(NV_SOURCE_DIR "/data");
  return data;
}

// Opens the demo data set as the folder's "game.dat", without the entry
// named skip and with the replaced entries in place of the set's, and points
// the game library's search path at the 240 x 320 pictures.
inline void openDemoData(GameFolder& folder, const std::map<std::string, std::string>& replaced = {},
                         const std::string& skip = {}) {
  for (const auto& entry : demoData().entries())
    if (entry.name != skip) folder.addEntry(entry.name, entry.data);
  for (const auto& [name, data] : replaced) folder.addEntry(name, data);
  folder.openArchive();
  gamelib::GameLib::setSearchPath(gamelib::GameLib::pathPrefixes(u"240x320/"));
}

}  // namespace nvtest
