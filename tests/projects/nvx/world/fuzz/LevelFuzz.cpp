// Feeds arbitrary bytes to the level loader as the record of a level: the
// first byte picks the level, the rest is the record.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DbyteArray.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"
#include "util/DRandom.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    nvx::MainCanvas::initStatics();
    return true;
  }();
  (void)ready;
  if (size < 1) return 0;
  nvtest::writable(nvx::GameTables::random) = new qel::util::DRandom(1);
  qel::lang::DbyteArrayPtr bytes = new qel::lang::DbyteArray(static_cast<int32_t>(size - 1));
  if (size > 1) std::memcpy(bytes->data(), data + 1, size - 1);
  qel::io::DDataInputStreamPtr in = new qel::io::DDataInputStream(new qel::io::DByteArrayInputStream(bytes));
  nvx::GameState::difficulty = static_cast<int8_t>(data[0] & 0x80 ? -1 : 0);
  nvx::WorldRules::loadLevelRecord(1 + data[0] % 26, in);
  return 0;
}
