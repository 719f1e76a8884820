#include "lang/DExceptionBase.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/store/StoreRecords.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
namespace Code = qel::lang::ExceptionCode;

bool GameStore::saveOptions() {
  try {
    const int32_t flags = GameTables::options->length();
    DbyteArrayPtr record = new DbyteArray(flags + 2);
    for (int32_t i = 0; i < flags; ++i) record[i] = GameTables::options[i] ? 1 : 0;
    if (!GameState::sounds) qel::lang::throwException(Code::NullPointer);
    record[flags] = static_cast<int8_t>(GameState::sounds->sfxVolume());
    record[flags + 1] = static_cast<int8_t>(GameState::sounds->musicVolume());
    StoreRecords::putFirst(GameTables::storeOption, record);
    return true;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    SaveFailures::report(GameTables::storeOption, e);
    return false;
  }
}

void GameStore::loadOptions() {
  GameState::optionsMissing = 1;
  try {
    const DbyteArrayPtr record = StoreRecords::read(GameTables::storeOption, 1);
    if (!record) return;
    // A record is there: start-up must not write the defaults over it.
    GameState::optionsMissing = 0;
    const int32_t flags = GameTables::options->length();
    if (record->length() != flags + 2) {
      StoreRecords::logRefused(GameTables::storeOption, "option record of the wrong length");
      return;
    }
    for (int32_t i = 0; i < flags; ++i) GameTables::options[i] = record[i] == 1;
    if (GameState::sounds) {
      GameState::sounds->setSfxVolume(static_cast<uint8_t>(record[flags]));
      GameState::sounds->setMusicVolume(static_cast<uint8_t>(record[flags + 1]));
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
  }
}

}  // namespace nvx
