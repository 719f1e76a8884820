#include "gamelib/ResTables.h"

#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray2d.h"

namespace gamelib {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DshortArray;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

void readShortRows(const DDataInputStreamPtr& in, const qel::lang::DshortArray2dPtr& table, bool createMissing) {
  int32_t rows = in->readByte();
  for (int32_t row = 0; row < rows; ++row) {
    int32_t count = in->readByte();
    if (createMissing && !table->at(row)) table->at(row) = new DshortArray(count);
    for (int32_t i = 0; i < count; ++i) table->at(row)->at(i) = static_cast<int16_t>(in->readShort());
  }
}

}  // namespace

void ResTables::read(qel::io::DInputStreamPtr stream) {
  if (!stream) return;
  try {
    DDataInputStreamPtr in = new DDataInputStream(stream);
    for (int8_t& b : layoutBytes) b = static_cast<int8_t>(in->readByte());
    int32_t rows = in->readByte();
    for (int32_t row = 0; row < rows; ++row) {
      int32_t count = in->readByte();
      for (int32_t i = 0; i < count; ++i) mapPlaces->at(row)->at(i) = in->readInt();
    }
    readShortRows(in, mapPoints, false);
    readShortRows(in, spriteTable, false);
    readShortRows(in, shortRows, true);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
}

}  // namespace gamelib
