#include "nvx/src/store/StoreRecords.h"

#include <cstdio>
#include <string>

#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/TextCodec.h"
#include "microedition/rms/DRecordStore.h"

namespace nvx {

using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
using qel::rms::DRecordStore;
using qel::rms::DRecordStorePtr;
namespace Code = qel::lang::ExceptionCode;

DStringPtr StoreRecords::numberedName(const DStringPtr& base, int32_t number) { return base + number; }

DbyteArrayPtr StoreRecords::read(const DStringPtr& store, int32_t id) {
  try {
    DRecordStorePtr records = DRecordStore::openRecordStore(store, false);
    if (records->getNumRecords() < 1) return nullptr;
    return records->getRecord(id);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    return nullptr;
  }
}

qel::io::DDataInputStreamPtr StoreRecords::reader(const DbyteArrayPtr& record) {
  return new qel::io::DDataInputStream(new qel::io::DByteArrayInputStream(record));
}

void StoreRecords::putFirst(const DStringPtr& store, const DbyteArrayPtr& bytes) {
  DRecordStorePtr records = DRecordStore::openRecordStore(store, true);
  if (records->getNumRecords() == 0)
    records->addRecord(bytes, 0, bytes->length());
  else
    records->setRecord(1, bytes, 0, bytes->length());
}

bool StoreRecords::remove(const DStringPtr& store) {
  try {
    DRecordStore::deleteRecordStore(store);
    return true;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(Code::Exception);
    return false;
  }
}

void StoreRecords::logRefused(const DStringPtr& store, const char* why) {
  const std::string name = store ? qel::lang::toMultiByte(store->view()) : std::string("?");
  std::fprintf(stderr, "record store \"%s\": %s, not used\n", name.c_str(), why);
}

}  // namespace nvx
