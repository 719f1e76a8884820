#include "nvx/src/store/StoreRecords.h"

#include <algorithm>
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
using Pair = std::pair<DbyteArrayPtr, DbyteArrayPtr>;

namespace {

constexpr int32_t pendingPairId = 3;

// The pending pair: the first record's length (16 bits), the first record,
// the second record.
DbyteArrayPtr pairRecord(const DbyteArrayPtr& first, const DbyteArrayPtr& second) {
  if (first->length() > 0xFFFF) qel::lang::throwException(Code::IllegalArgument);
  DbyteArrayPtr pair = new qel::lang::DbyteArray(2 + first->length() + second->length());
  pair[0] = static_cast<int8_t>(first->length() >> 8);
  pair[1] = static_cast<int8_t>(first->length());
  std::copy_n(first->data(), first->length(), pair->data() + 2);
  std::copy_n(second->data(), second->length(), pair->data() + 2 + first->length());
  return pair;
}

std::optional<Pair> splitPair(const DbyteArrayPtr& pair) {
  if (!pair || pair->length() < 2) return std::nullopt;
  const int32_t firstLength = static_cast<uint8_t>(pair[0]) << 8 | static_cast<uint8_t>(pair[1]);
  if (2 + firstLength > pair->length()) return std::nullopt;
  DbyteArrayPtr first = new qel::lang::DbyteArray(firstLength);
  DbyteArrayPtr second = new qel::lang::DbyteArray(pair->length() - 2 - firstLength);
  std::copy_n(pair->data() + 2, firstLength, first->data());
  std::copy_n(pair->data() + 2 + firstLength, second->length(), second->data());
  return Pair{first, second};
}

// Writes the pair into records 1 and 2, then drops the pending pair.
void finishPair(DRecordStore& records, const Pair& pair) {
  records.setRecord(1, pair.first, 0, pair.first->length());
  records.setRecord(2, pair.second, 0, pair.second->length());
  records.deleteRecord(pendingPairId);
}

}  // namespace

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

void StoreRecords::putPair(const DStringPtr& store, const DbyteArrayPtr& first, const DbyteArrayPtr& second) {
  DRecordStorePtr records = DRecordStore::openRecordStore(store, true);
  const int32_t count = records->getNumRecords();
  if (count < 2) {
    if (count == 0)
      records->addRecord(first, 0, first->length());
    else
      records->setRecord(1, first, 0, first->length());
    records->addRecord(second, 0, second->length());
    return;
  }
  const DbyteArrayPtr pending = pairRecord(first, second);
  if (count == 2)
    records->addRecord(pending, 0, pending->length());
  else
    records->setRecord(pendingPairId, pending, 0, pending->length());
  finishPair(*records, {first, second});
}

std::optional<Pair> StoreRecords::readPair(const DStringPtr& store) {
  if (const std::optional<Pair> pending = splitPair(read(store, pendingPairId))) {
    try {
      finishPair(*DRecordStore::openRecordStore(store, false), *pending);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(Code::Exception);
    }
    return pending;
  }
  const DbyteArrayPtr first = read(store, 1);
  if (!first) return std::nullopt;
  return Pair{first, read(store, 2)};
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
