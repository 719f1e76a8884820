#include <vector>

#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/store/StoreRecords.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
using qel::rms::DRecordStore;
using qel::rms::DRecordStorePtr;
namespace Code = qel::lang::ExceptionCode;

namespace {

// Both records of a slot, checked before any of it is used.
struct SavedGame {
  int8_t difficulty = 0;
  int8_t level = 0;
  int32_t money = 0;
  std::vector<int32_t> jailedIds;
  int8_t retriesLeft = 0;
};

DStringPtr slotStore(int32_t slot) { return StoreRecords::numberedName(GameTables::storeSave, slot); }

// False, with a log line, for a record the game cannot have written.
bool readSavedGame(int32_t slot, SavedGame& out) {
  const DStringPtr store = slotStore(slot);
  const auto records = StoreRecords::readPair(store);
  if (!records) return false;
  const auto& [game, retries] = *records;
  if (game->length() < 7 || !retries || retries->length() != 1) {
    StoreRecords::logRefused(store, "short saved game");
    return false;
  }
  const int8_t* b = game->data();
  out.difficulty = b[0];
  out.level = b[1] < 1 ? 1 : b[1];
  out.money = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint8_t>(b[2])) << 24 |
                                   static_cast<uint32_t>(static_cast<uint8_t>(b[3])) << 16 |
                                   static_cast<uint32_t>(static_cast<uint8_t>(b[4])) << 8 |
                                   static_cast<uint32_t>(static_cast<uint8_t>(b[5])));
  const int32_t jailed = static_cast<uint8_t>(b[6]);
  if (game->length() != 7 + jailed) {
    StoreRecords::logRefused(store, "saved game of the wrong length");
    return false;
  }
  const int32_t personCount = GameTables::persons ? GameTables::persons->length() : 0;
  const int32_t levelCount = GameTables::levelTable ? GameTables::levelTable->length() : 0;
  if (out.difficulty < -1 || out.difficulty > 2 || out.level > levelCount) {
    StoreRecords::logRefused(store, "saved game with an unknown difficulty or level");
    return false;
  }
  out.jailedIds.clear();
  for (int32_t i = 0; i < jailed; ++i) {
    const int32_t id = static_cast<uint8_t>(b[7 + i]);
    if (id >= personCount) {
      StoreRecords::logRefused(store, "saved game with an unknown person");
      return false;
    }
    out.jailedIds.push_back(id);
  }
  out.retriesLeft = retries->data()[0];
  return true;
}

int32_t personId(qel::lang::DObject* element) {
  auto* person = dynamic_cast<Person*>(element);
  if (!person) qel::lang::throwException(Code::NullPointer);
  return person->id;
}

DbyteArrayPtr retriesRecord() {
  DbyteArrayPtr record = new DbyteArray(1);
  record[0] = GameState::retriesLeft;
  return record;
}

}  // namespace

bool GameStore::saveGame() {
  try {
    qel::io::DByteArrayOutputStreamPtr bytes = new qel::io::DByteArrayOutputStream();
    qel::io::DDataOutputStreamPtr out = new qel::io::DDataOutputStream(bytes);
    out->writeByte(GameState::difficulty);
    out->writeByte(GameState::levelNumber);
    out->writeInt(GameState::money);
    out->writeByte(GameTables::savedIds->size());
    for (int32_t i = 0; i < GameTables::savedIds->size(); ++i)
      out->writeByte(personId(GameTables::savedIds->elementAt(i)));
    StoreRecords::putPair(slotStore(GameState::saveSlot), bytes->toByteArray(), retriesRecord());
    GameState::saveExists = 1;
    return true;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    SaveFailures::report(slotStore(GameState::saveSlot), e);
    return false;
  }
}

void GameStore::loadGame() {
  const int8_t previousLevel = GameState::levelNumber;
  SavedGame saved;
  if (!readSavedGame(GameState::saveSlot, saved)) return;
  try {
    GameState::difficulty = saved.difficulty;
    GameState::levelNumber = saved.level;
    GameState::money = saved.money;
    if (GameState::levelNumber == previousLevel) {
      GameTables::bombs->clear();
      WorldRules::resetRoomObjects(true);
    } else {
      WorldRules::loadLevel(GameState::levelNumber);
    }
    GameTables::savedIds->removeAllElements();
    for (int32_t id : saved.jailedIds) GameTables::savedIds->addElement(GameTables::persons[id]);
    GameState::retriesLeft = saved.retriesLeft;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
  }
}

void GameStore::saveSlotCounter() {
  try {
    DRecordStorePtr store = DRecordStore::openRecordStore(slotStore(GameState::saveSlot), true);
    store->setRecord(2, retriesRecord(), 0, 1);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    SaveFailures::report(slotStore(GameState::saveSlot), e);
  }
}

void GameStore::deleteSave() {
  if (StoreRecords::remove(slotStore(GameState::saveSlot))) GameState::saveExists = 0;
}

bool GameStore::hasSave(int32_t slot) {
  SavedGame saved;
  return readSavedGame(slot, saved);
}

void GameStore::deleteLevelInProgress() { StoreRecords::remove(GameTables::storePath); }

}  // namespace nvx
