#include "microedition/rms/DRecordStore.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/Host.h"
#include "lang/TextCodec.h"
#include "platform/registry/Registry.h"

namespace qel::rms {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;
using wce::ERROR_SUCCESS;
using wce::HKEY;

namespace {

// A value name as "%d" writes it.
std::u16string recordName(int32_t id) {
  std::u16string name;
  for (char c : std::to_string(id)) name.push_back(static_cast<char16_t>(c));
  return name;
}

// A value name read as "%d" reads it: blanks, a sign and digits; 0 when no
// digit follows. Values beyond the id range saturate.
int64_t parseRecordName(std::u16string_view name) {
  size_t i = 0;
  while (i < name.size() && (name[i] == u' ' || (name[i] >= u'\t' && name[i] <= u'\r'))) ++i;
  bool negative = i < name.size() && name[i] == u'-';
  if (i < name.size() && (name[i] == u'-' || name[i] == u'+')) ++i;
  int64_t value = 0;
  for (; i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i)
    value = std::min<int64_t>(value * 10 + (name[i] - u'0'), int64_t{1} << 32);
  return negative ? -value : value;
}

int32_t checkedCount(const DbyteArrayPtr& data, int32_t offset, int32_t numBytes) {
  int32_t length = data ? data->length() : 0;
  if (offset < 0 || numBytes < 0 || offset > length) throwException(ExceptionCode::RecordStore);
  return std::min(numBytes, length - offset);
}

// The code with the system's reason for a registry call that failed after
// errno was cleared; without a message when the call set none.
[[noreturn]] void throwWithReason(uint32_t code) {
  const int error = errno;
  if (error == 0) throwException(code);
  const std::u16string reason = qel::lang::fromMultiByte(std::strerror(error));
  throw qel::lang::DExceptionBase(code, u"%s", std::u16string_view(reason));
}

DStringPtr applicationName() {
  qel::lang::Host* host = qel::lang::Host::current();
  return host ? host->appProperty(u"app.name") : DStringPtr();
}

}  // namespace

DStringPtr DRecordStore::getBasePath() { return DString::concat(u"Software\\Palewinds\\", applicationName()); }

DStringPtr DRecordStore::getStorePath(const DStringPtr& name) { return getBasePath() + u"\\" + name; }

DRecordStorePtr DRecordStore::openRecordStore(const DStringPtr& name, bool create) {
  if (!name) throwException(ExceptionCode::IllegalArgument);
  DStringPtr path = getStorePath(name);
  DRecordStorePtr store = new DRecordStore(name);
  wce::LONG status = wce::RegOpenKeyExW(wce::HKEY_CURRENT_USER, path->view(), store->key_.receive());
  if (status != ERROR_SUCCESS && create) {
    errno = 0;
    status = wce::RegCreateKeyExW(wce::HKEY_CURRENT_USER, path->view(), store->key_.receive());
  }
  if (status == ERROR_SUCCESS) return store;
  const uint32_t code =
      status == wce::ERROR_NOT_FOUND ? ExceptionCode::RecordStoreNotFound : ExceptionCode::RecordStore;
  if (!create) throwException(code);
  throwWithReason(code);
}

void DRecordStore::deleteRecordStore(const DStringPtr& name) {
  if (!name) throwException(ExceptionCode::RecordStoreNotFound);
  DStringPtr path = getStorePath(name);
  {
    wce::ScopedKey key;
    if (wce::RegOpenKeyExW(wce::HKEY_CURRENT_USER, path->view(), key.receive()) != ERROR_SUCCESS ||
        !deleteKeyTree(key.get()))
      throwException(ExceptionCode::RecordStoreNotFound);
  }
  if (wce::RegDeleteKeyW(wce::HKEY_CURRENT_USER, path->view()) != ERROR_SUCCESS)
    throwException(ExceptionCode::RecordStoreNotFound);
}

bool DRecordStore::deleteKeyTree(HKEY key) {
  wce::DWORD subkeys = 0;
  wce::DWORD longest = 0;
  if (wce::RegQueryInfoKeyW(key, &subkeys, &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return false;
  std::vector<char16_t> name(longest + 1);
  for (wce::DWORD index = subkeys; index-- > 0;) {
    wce::DWORD length = longest + 1;
    if (wce::RegEnumKeyExW(key, index, name.data(), &length) != ERROR_SUCCESS) return false;
    std::u16string_view subkey(name.data(), length);
    {
      wce::ScopedKey child;
      if (wce::RegOpenKeyExW(key, subkey, child.receive()) != ERROR_SUCCESS || !deleteKeyTree(child.get()))
        return false;
    }
    if (wce::RegDeleteKeyW(key, subkey) != ERROR_SUCCESS) return false;
  }
  return true;
}

HKEY DRecordStore::openKey() const {
  if (!key_) throwException(ExceptionCode::RecordStoreNotOpen);
  return key_.get();
}

int32_t DRecordStore::getNumRecords() {
  wce::DWORD values = 0;
  if (!key_ || wce::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, &values, nullptr, nullptr) != ERROR_SUCCESS)
    throwException(ExceptionCode::RecordStoreNotOpen);
  return static_cast<int32_t>(values);
}

// Every value name is read, however long; names that do not read as a
// number count as 0. A name that cannot be read fails the call rather than
// risk giving out the id of a record it did not see.
int32_t DRecordStore::getNextRecordID() {
  HKEY key = openKey();
  wce::KeyStamp stamp;
  if (nextId_ && wce::RegQueryKeyStamp(key, stamp) == ERROR_SUCCESS && stamp == stampAfterAdd_) return *nextId_;
  nextId_.reset();
  return listNextRecordID(key);
}

int32_t DRecordStore::listNextRecordID(HKEY key) {
  wce::DWORD longest = 0;
  if (wce::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &longest, nullptr) != ERROR_SUCCESS)
    throwException(ExceptionCode::RecordStore);
  std::vector<char16_t> name(longest + 1);
  int64_t largest = 0;
  for (wce::DWORD index = 0;; ++index) {
    wce::DWORD length = longest + 1;
    wce::LONG status = wce::RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr);
    if (status == wce::ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) throwException(ExceptionCode::RecordStore);
    largest = std::max(largest, parseRecordName(std::u16string_view(name.data(), length)));
  }
  if (largest >= std::numeric_limits<int32_t>::max()) throwException(ExceptionCode::RecordStore);
  return static_cast<int32_t>(largest + 1);
}

void DRecordStore::writeRecord(int32_t id, const DbyteArrayPtr& data, int32_t offset, int32_t count) {
  if (count > MaxRecordSize) throwException(ExceptionCode::RecordStore);
  const auto* bytes = count > 0 ? reinterpret_cast<const wce::BYTE*>(data->data()) + offset : nullptr;
  const wce::HKEY key = openKey();
  const std::u16string name = recordName(id);
  errno = 0;
  if (wce::RegSetValueExW(key, name, wce::REG_BINARY, bytes, static_cast<wce::DWORD>(count)) != ERROR_SUCCESS)
    throwWithReason(ExceptionCode::RecordStore);
}

int32_t DRecordStore::addRecord(const DbyteArrayPtr& data, int32_t offset, int32_t numBytes) {
  openKey();
  int32_t count = data ? checkedCount(data, offset, numBytes) : 0;
  int32_t id = getNextRecordID();
  writeRecord(id, data, offset, count);
  if (id < std::numeric_limits<int32_t>::max() && wce::RegQueryKeyStamp(openKey(), stampAfterAdd_) == ERROR_SUCCESS)
    nextId_ = id + 1;
  return id;
}

void DRecordStore::setRecord(int32_t id, const DbyteArrayPtr& data, int32_t offset, int32_t numBytes) {
  HKEY key = openKey();
  int32_t count = checkedCount(data, offset, numBytes);
  wce::DWORD size = 0;
  if (wce::RegQueryValueExW(key, recordName(id), nullptr, nullptr, &size) != ERROR_SUCCESS)
    throwException(ExceptionCode::InvalidRecordID);
  writeRecord(id, data, offset, count);
}

int32_t DRecordStore::getRecordSize(int32_t id) {
  wce::DWORD size = 0;
  if (wce::RegQueryValueExW(openKey(), recordName(id), nullptr, nullptr, &size) != ERROR_SUCCESS)
    throwException(ExceptionCode::RecordStore);
  return recordLength(size);
}

int32_t DRecordStore::recordLength(wce::DWORD size) {
  if (size > static_cast<wce::DWORD>(std::numeric_limits<int32_t>::max())) throwException(ExceptionCode::RecordStore);
  return static_cast<int32_t>(size);
}

// One read into a small buffer serves most records; a larger one is read
// again into an array of its size.
DbyteArrayPtr DRecordStore::getRecord(int32_t id) {
  HKEY key = openKey();
  const std::u16string name = recordName(id);
  std::array<wce::BYTE, SmallRecord> small;
  wce::DWORD size = small.size();
  wce::LONG status = wce::RegQueryValueExW(key, name, nullptr, small.data(), &size);
  if (status == wce::ERROR_MORE_DATA) {
    // A value larger than any record is damaged: refused before it is read.
    if (size > static_cast<wce::DWORD>(MaxRecordSize)) throwException(ExceptionCode::RecordStore);
    return readLargeRecord(key, name, recordLength(size));
  }
  if (status != ERROR_SUCCESS) throwException(ExceptionCode::RecordStore);
  DbyteArrayPtr record = new DbyteArray(recordLength(size));
  std::copy_n(small.data(), size, reinterpret_cast<wce::BYTE*>(record->data()));
  return record;
}

DbyteArrayPtr DRecordStore::readLargeRecord(HKEY key, const std::u16string& name, int32_t size) {
  DbyteArrayPtr record = new DbyteArray(size);
  wce::DWORD read = static_cast<wce::DWORD>(size);
  if (wce::RegQueryValueExW(key, name, nullptr, reinterpret_cast<wce::BYTE*>(record->data()), &read) != ERROR_SUCCESS ||
      read != static_cast<wce::DWORD>(size))
    throwException(ExceptionCode::RecordStore);
  return record;
}

void DRecordStore::deleteRecord(int32_t id) { wce::RegDeleteValueW(openKey(), recordName(id)); }

void DRecordStore::closeRecordStore() {
  key_.close();
  nextId_.reset();
}

}  // namespace qel::rms
