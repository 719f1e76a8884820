#include "lang/DExceptionBase.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/store/StoreRecords.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
namespace Code = qel::lang::ExceptionCode;

bool GameStore::saveOptions() {
  try {
    const int32_t flags = MainCanvas::options->length();
    DbyteArrayPtr record = new DbyteArray(flags + 2);
    for (int32_t i = 0; i < flags; ++i) record[i] = MainCanvas::options[i] ? 1 : 0;
    if (!MainCanvas::sounds) qel::lang::throwException(Code::NullPointer);
    record[flags] = static_cast<int8_t>(MainCanvas::sounds->sfxVolume());
    record[flags + 1] = static_cast<int8_t>(MainCanvas::sounds->musicVolume());
    StoreRecords::putFirst(MainCanvas::storeOption, record);
    return true;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    return false;
  }
}

void GameStore::loadOptions() {
  MainCanvas::optionsMissing = 1;
  try {
    const DbyteArrayPtr record = StoreRecords::read(MainCanvas::storeOption, 1);
    if (!record) return;
    // A record is there: start-up must not write the defaults over it.
    MainCanvas::optionsMissing = 0;
    const int32_t flags = MainCanvas::options->length();
    if (record->length() != flags + 2) {
      StoreRecords::logRefused(MainCanvas::storeOption, "option record of the wrong length");
      return;
    }
    for (int32_t i = 0; i < flags; ++i) MainCanvas::options[i] = record[i] == 1;
    if (MainCanvas::sounds) {
      MainCanvas::sounds->setSfxVolume(static_cast<uint8_t>(record[flags]));
      MainCanvas::sounds->setMusicVolume(static_cast<uint8_t>(record[flags + 1]));
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
  }
}

}  // namespace nvx
