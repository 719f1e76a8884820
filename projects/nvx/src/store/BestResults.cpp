#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DshortArray.h"
#include "lang/DshortArray2d.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/store/SaveFailures.h"
#include "nvx/src/store/StoreRecords.h"

namespace nvx {

using qel::lang::DExceptionBase;
using qel::lang::DintArrayPtr;
using qel::lang::DObjectArrayPtr;
using qel::util::DVector;
using qel::util::DVectorPtr;
namespace Code = qel::lang::ExceptionCode;

void GameStore::saveBestResults(const DObjectArrayPtr& names, const DintArrayPtr& scores) {
  try {
    qel::io::DByteArrayOutputStreamPtr bytes = new qel::io::DByteArrayOutputStream();
    qel::io::DDataOutputStreamPtr out = new qel::io::DDataOutputStream(bytes);
    for (int32_t row = 0; row < bestResultRows; ++row) {
      auto* name = dynamic_cast<qel::lang::DshortArray*>(names->at(row).get());
      const int32_t glyphs = name ? name->length() : 0;
      for (int32_t i = 0; i < bestNameLength; ++i) out->writeShort(i < glyphs ? name->at(i) : 0);
    }
    for (int32_t row = 0; row < bestResultRows; ++row) out->writeInt(scores[row]);
    while (bytes->size() < bestResultsRecordLength) out->writeByte(0);
    StoreRecords::putFirst(GameTables::storeWinner, bytes->toByteArray());
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    SaveFailures::report(GameTables::storeWinner, e);
  }
}

DVectorPtr GameStore::loadBestResults() {
  DVectorPtr table = new DVector(2);
  try {
    const qel::lang::DbyteArrayPtr record = StoreRecords::read(GameTables::storeWinner, 1);
    if (!record) return table;
    if (record->length() != bestResultsRecordLength && record->length() != bestResultsDataLength) {
      StoreRecords::logRefused(GameTables::storeWinner, "best results of the wrong length");
      return table;
    }
    qel::io::DDataInputStreamPtr in = StoreRecords::reader(record);
    qel::lang::DshortArray2dPtr names = new qel::lang::DshortArray2d(bestResultRows, bestNameLength);
    for (int32_t row = 0; row < bestResultRows; ++row)
      for (int32_t i = 0; i < bestNameLength; ++i) names[row][i] = static_cast<int16_t>(in->readShort());
    DintArrayPtr scores = new qel::lang::DintArray(bestResultRows);
    for (int32_t row = 0; row < bestResultRows; ++row) scores[row] = in->readInt();
    table->addElement(names);
    table->addElement(scores);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    table->removeAllElements();
  }
  return table;
}

}  // namespace nvx
