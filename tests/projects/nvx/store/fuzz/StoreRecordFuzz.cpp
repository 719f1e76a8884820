// Stores any byte string as the records of one of the game's stores, then
// reads them back through the game's reader, on the demo data's levels.
// Byte 0 picks the store (bits 0-1: "save1", "option", "winner", "path")
// and the level the game is on (1 + (byte 0 >> 2) % 26). For "save1" the
// rest is [length][record 1][length][record 2][record 3 ...]; for the others
// it is record 1. A reader may refuse a record, never fail otherwise.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/WorldRules.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/support/Writable.h"
#include "util/DRandom.h"

namespace {

using nvx::GameState;
using nvx::GameStore;
using nvx::GameTables;
using nvx::MainCanvas;
using nvx::WorldRules;
using Bytes = std::vector<uint8_t>;

const char16_t* const stores[] = {u"save1", u"option", u"winner", u"path"};

void putRecords(const char16_t* store, const std::vector<Bytes>& records) {
  try {
    qel::rms::DRecordStore::deleteRecordStore(store);
  } catch (qel::lang::DExceptionBase&) {}
  auto opened = qel::rms::DRecordStore::openRecordStore(store, true);
  for (const Bytes& bytes : records) {
    qel::lang::DbyteArrayPtr data = new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(data->data(), bytes.data(), bytes.size());
    opened->addRecord(data, 0, data->length());
  }
}

// Records of "save1": each of the first two led by its length byte.
std::vector<Bytes> saveRecords(const uint8_t* data, size_t size) {
  std::vector<Bytes> records;
  size_t at = 0;
  for (int i = 0; i < 2 && at < size; ++i) {
    const size_t length = std::min<size_t>(data[at], size - at - 1);
    records.emplace_back(data + at + 1, data + at + 1 + length);
    at += 1 + length;
  }
  if (at < size) records.emplace_back(data + at, data + size);
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("nv-store-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root);
  wce::setUserFolder(root);
  wce::setRegistryRoot(root / "registry");
  wce::setProgramFolder(NV_DEMO_DATA_DIR);
  qel::io::DArchive::open(u"game.dat", u"");
  MainCanvas::initStatics();
  nvtest::writable(GameTables::random) = new qel::util::DRandom(1);
  for (int32_t id = 0; id < GameTables::persons->length(); ++id) GameTables::persons[id] = new nvx::Person(id);
  GameState::saveSlot = 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 4096) return 0;
  const int store = data[0] & 3;
  const int32_t level = 1 + (data[0] >> 2) % 26;
  if (GameState::levelNumber != level) {
    GameState::levelNumber = static_cast<int8_t>(level);
    WorldRules::loadLevel(level);
  }
  GameState::difficulty = 0;
  if (store == 0)
    putRecords(stores[store], saveRecords(data + 1, size - 1));
  else
    putRecords(stores[store], {Bytes(data + 1, data + size)});
  switch (store) {
    case 0:
      if (GameStore::hasSave(1)) GameStore::loadGame();
      break;
    case 1: GameStore::loadOptions(); break;
    case 2: GameStore::loadBestResults(); break;
    case 3: GameStore::loadLevelState(); break;
  }
  return 0;
}
