// Reads any byte string as the level file "m" and loads every level of the
// level table from it, each found by walking the records before it.
#include <cstdint>
#include <string>

#include "io/DArchive.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/core/tavrine/src/common/io/double/MemoryArchive.h"
#include "tests/support/Writable.h"
#include "util/DRandom.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    nvx::MainCanvas::initStatics();
    return true;
  }();
  (void)ready;
  if (size > 1 << 17) return 0;
  qel::lang::DPtr<qel::io::MemoryArchive> archive = new qel::io::MemoryArchive();
  archive->entries[u"m"] = std::string(reinterpret_cast<const char*>(data), size);
  qel::io::DArchive::setCurrent(archive);
  nvtest::writable(nvx::GameTables::random) = new qel::util::DRandom(1);
  nvx::GameState::difficulty = 0;
  for (int32_t level = 1; level <= nvx::GameTables::levelTable->length(); ++level) nvx::WorldRules::loadLevel(level);
  qel::io::DArchive::setCurrent(nullptr);
  return 0;
}
