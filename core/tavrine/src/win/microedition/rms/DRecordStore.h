#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"
#include "microedition/rms/DRecordStore.ptr.h"
#include "platform/registry/Registry.h"
#include "platform/registry/ScopedKey.h"

namespace qel::rms {

// A named store of numbered byte records, kept across runs in the registry:
// key HKEY_CURRENT_USER "Software\Palewinds\" + application name + "\" +
// store name, one binary value per record named by its decimal id, nothing
// else. A record is replaced whole or not at all. Failures throw the
// record-store codes: 0x04200000 in general, 0x04200001 for a missing record
// to replace, 0x04200004 for a missing store, 0x04200008 for a closed one.
// A store that cannot be created and a record that cannot be written carry
// the system's reason as the message.
class DRecordStore final : public qel::lang::DObject {
public:
  // The largest record a store keeps, well above the largest the game
  // writes (the level in progress stays below 420 KB). A larger value under
  // a store's key is damaged: it is refused before it is read.
  static constexpr int32_t MaxRecordSize = 1 << 20;

  // A new store object with its own handle. A null name throws 0x05400000;
  // a missing store (without create) 0x04200004.
  static DRecordStorePtr openRecordStore(const qel::lang::DStringPtr& name, bool create);
  // Deletes the store with its records; any failure, a missing store
  // included, throws 0x04200004.
  static void deleteRecordStore(const qel::lang::DStringPtr& name);

  int32_t getNumRecords();
  // Stores data[offset .. offset + min(numBytes, length - offset)) under
  // 1 + the largest id in the store and answers that id; null data stores
  // an empty record. A negative offset or count, an offset past the data or
  // a record above MaxRecordSize throws 0x04200000.
  int32_t addRecord(const qel::lang::DbyteArrayPtr& data, int32_t offset, int32_t numBytes);
  // Replaces an existing record; the range rules of addRecord, null data
  // an empty record.
  void setRecord(int32_t id, const qel::lang::DbyteArrayPtr& data, int32_t offset, int32_t numBytes);
  // A new array holding the record; a missing one, or one above
  // MaxRecordSize, throws 0x04200000.
  qel::lang::DbyteArrayPtr getRecord(int32_t id);
  int32_t getRecordSize(int32_t id);
  // A missing record is no error.
  void deleteRecord(int32_t id);
  // Later record operations throw 0x04200008.
  void closeRecordStore();

private:
  // Records up to this size are read with a single query.
  static constexpr size_t SmallRecord = 4096;

  explicit DRecordStore(qel::lang::DStringPtr name) : name_(std::move(name)) {}

  static qel::lang::DStringPtr getBasePath();
  static qel::lang::DStringPtr getStorePath(const qel::lang::DStringPtr& name);
  static bool deleteKeyTree(wce::HKEY key);
  // 1 + the largest id: found by listing the key, and kept after this
  // store's own add while the key shows no other change.
  int32_t getNextRecordID();
  int32_t listNextRecordID(wce::HKEY key);
  wce::HKEY openKey() const;
  // A value size as a record length; one too large for an array throws 0x04200000.
  static int32_t recordLength(wce::DWORD size);
  static qel::lang::DbyteArrayPtr readLargeRecord(wce::HKEY key, const std::u16string& name, int32_t size);
  void writeRecord(int32_t id, const qel::lang::DbyteArrayPtr& data, int32_t offset, int32_t numBytes);

  qel::lang::DStringPtr name_;
  wce::ScopedKey key_;
  std::optional<int32_t> nextId_;
  wce::KeyStamp stampAfterAdd_;
};

}  // namespace qel::rms
