#pragma once
// The message store's interfaces and records, in the emulated "cemapi.dll".
// Objects are counted: every object handed out carries one reference for the
// caller, given back with Release.

#include <cstdint>

#include "platform/sms/HResult.h"

namespace wce {

using ULONG = std::uint32_t;

inline constexpr HRESULT MAPI_E_NO_SUPPORT = makeResult(0x80040102u);
inline constexpr HRESULT MAPI_E_NOT_FOUND = makeResult(0x8004010Fu);
inline constexpr HRESULT MAPI_E_LOGON_FAILED = makeResult(0x80040111u);
inline constexpr HRESULT MAPI_E_TOO_COMPLEX = makeResult(0x80040117u);
inline constexpr HRESULT MAPI_E_NOT_INITIALIZED = makeResult(0x80040605u);
inline constexpr HRESULT MAPI_W_ERRORS_RETURNED = makeResult(0x00040380u);

inline constexpr ULONG MAPI_UNICODE = 0x80000000u;
inline constexpr ULONG MDB_NO_DIALOG = 0x01;
inline constexpr ULONG MAPI_BEST_ACCESS = 0x10;
inline constexpr ULONG MAPI_FOLDER = 3;
inline constexpr ULONG MAPI_MESSAGE = 5;
inline constexpr ULONG fnevObjectCreated = 0x04;
inline constexpr ULONG TABLE_SORT_ASCEND = 0;
inline constexpr ULONG TABLE_SORT_DESCEND = 1;

// A tag is a property id (high word) and a type (low word).
inline constexpr ULONG PT_LONG = 0x0003;
inline constexpr ULONG PT_ERROR = 0x000A;
inline constexpr ULONG PT_UNICODE = 0x001F;
inline constexpr ULONG PT_SYSTIME = 0x0040;
inline constexpr ULONG PT_BINARY = 0x0102;
inline constexpr ULONG propType(ULONG tag) { return tag & 0xFFFF; }
inline constexpr ULONG errorTag(ULONG tag) { return (tag & 0xFFFF0000u) | PT_ERROR; }

inline constexpr ULONG PR_SUBJECT_W = 0x0037001F;
inline constexpr ULONG PR_SENDER_EMAIL_ADDRESS_W = 0x0C1F001F;
inline constexpr ULONG PR_MESSAGE_DELIVERY_TIME = 0x0E060040;
inline constexpr ULONG PR_MESSAGE_FLAGS = 0x0E070003;
inline constexpr ULONG PR_ENTRYID = 0x0FFF0102;
inline constexpr ULONG PR_DISPLAY_NAME_W = 0x3001001F;
// The entry id of a store's inbox.
inline constexpr ULONG PR_CE_IPM_INBOX_ENTRYID = 0x81060102;

struct MapiBinary {
  ULONG size;
  std::uint8_t* bytes;
};

// 100 ns units since 1601-01-01 00:00 UTC.
struct FileTime {
  std::uint32_t low;
  std::uint32_t high;
};

union PropData {
  std::int32_t number;
  const char16_t* unicode;
  MapiBinary binary;
  FileTime time;
  HRESULT error;
};

struct PropValue {
  ULONG tag;
  PropData value;
};

struct PropTagArray {
  ULONG count;
  const ULONG* tags;
};

struct SortOrder {
  ULONG tag;
  ULONG order;
};

struct SortOrderSet {
  ULONG count;
  const SortOrder* orders;
};

struct Row {
  ULONG valueCount;
  PropValue* values;
};

// One buffer: MAPIFreeBuffer on the set frees the rows and their values.
struct RowSet {
  ULONG rowCount;
  Row* rows;
};

struct ObjectNotification {
  ULONG entryIdSize;
  const std::uint8_t* entryId;
  ULONG objectType;
  ULONG parentIdSize;
  const std::uint8_t* parentId;
};

struct Notification {
  ULONG eventType;
  ObjectNotification object;
};

class IUnknown {
public:
  virtual HRESULT QueryInterface(const void* interfaceId, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  virtual ~IUnknown() = default;
};

// Called on the store's own thread; must not block for long.
class IMAPIAdviseSink : public IUnknown {
public:
  virtual ULONG OnNotify(ULONG count, const Notification* notifications) = 0;
};

class IMAPITable : public IUnknown {
public:
  // Unknown tags come back as PT_ERROR values of MAPI_E_NOT_FOUND.
  virtual HRESULT SetColumns(const PropTagArray* columns, ULONG flags) = 0;
  // One sort key, a column of the table; more keys are MAPI_E_TOO_COMPLEX.
  virtual HRESULT SortTable(const SortOrderSet* order, ULONG flags) = 0;
  // Up to rowCount rows from the cursor on; a set of 0 rows at the end.
  virtual HRESULT QueryRows(std::int32_t rowCount, ULONG flags, RowSet** rows) = 0;
};

class IMAPIFolder : public IUnknown {
public:
  // The folder's messages as they are now.
  virtual HRESULT GetContentsTable(ULONG flags, IMAPITable** table) = 0;
};

class IMsgStore : public IUnknown {
public:
  // values is one buffer for MAPIFreeBuffer; tags the store lacks come back
  // as PT_ERROR values, with MAPI_W_ERRORS_RETURNED.
  virtual HRESULT GetProps(const PropTagArray* tags, ULONG flags, ULONG* count, PropValue** values) = 0;
  virtual HRESULT OpenEntry(ULONG entryIdSize, const std::uint8_t* entryId, const void* interfaceId, ULONG flags,
                            ULONG* objectType, IMAPIFolder** folder) = 0;
  // Only fnevObjectCreated on the whole store (no entry id). The sink is
  // counted until Unadvise; it is called on another thread.
  virtual HRESULT Advise(ULONG entryIdSize, const std::uint8_t* entryId, ULONG eventMask, IMAPIAdviseSink* sink,
                         ULONG* connection) = 0;
  // Returns once no notification of that connection is running.
  virtual HRESULT Unadvise(ULONG connection) = 0;
};

class IMAPISession : public IUnknown {
public:
  // Columns PR_DISPLAY_NAME_W and PR_ENTRYID; one row, the store "SMS".
  virtual HRESULT GetMsgStoresTable(ULONG flags, IMAPITable** table) = 0;
  virtual HRESULT OpenMsgStore(std::uintptr_t window, ULONG entryIdSize, const std::uint8_t* entryId,
                               const void* interfaceId, ULONG flags, IMsgStore** store) = 0;
};

}  // namespace wce
