#include "platform/mapi/SmsStore.h"

#include <algorithm>
#include <system_error>

#include "platform/mapi/InboxFolder.h"
#include "platform/mapi/Mapi.h"

namespace wce::mapi {

namespace {

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

bool sameId(ULONG size, const std::uint8_t* id, const Bytes& expected) {
  return size == expected.size() && (size == 0 || (id && std::equal(expected.begin(), expected.end(), id)));
}

}  // namespace

const Bytes& smsStoreEntryId() {
  static const Bytes id = bytesOf("nightvault:store:SMS");
  return id;
}

const Bytes& inboxEntryId() {
  static const Bytes id = bytesOf("nightvault:folder:SMS/Inbox");
  return id;
}

SmsStore::~SmsStore() { adviseConnections() -= static_cast<int>(advised_.size()); }

HRESULT SmsStore::GetProps(const PropTagArray* tags, ULONG, ULONG* count, PropValue** values) {
  if (auto result = injected(MapiCall::GetProps)) return *result;
  if (!tags || tags->count == 0 || !tags->tags || !count || !values) return E_INVALIDARG;
  const PropertyRow properties{{PR_CE_IPM_INBOX_ENTRYID, inboxEntryId()}, {PR_DISPLAY_NAME_W, u"SMS"}};
  void* root = nullptr;
  if (failed(MAPIAllocateBuffer(tags->count * sizeof(PropValue), &root))) return E_OUTOFMEMORY;
  auto* copied = static_cast<PropValue*>(root);
  bool missing = false;
  for (ULONG i = 0; i < tags->count; ++i) {
    if (!copyProperty(properties, tags->tags[i], root, copied[i])) {
      MAPIFreeBuffer(root);
      return E_OUTOFMEMORY;
    }
    missing = missing || propType(copied[i].tag) == PT_ERROR;
  }
  *count = tags->count;
  *values = copied;
  return missing ? MAPI_W_ERRORS_RETURNED : S_OK;
}

HRESULT SmsStore::OpenEntry(ULONG entryIdSize, const std::uint8_t* entryId, const void*, ULONG, ULONG* objectType,
                            IMAPIFolder** folder) {
  if (auto result = injected(MapiCall::OpenEntry)) return *result;
  if (!folder) return E_INVALIDARG;
  if (!sameId(entryIdSize, entryId, inboxEntryId())) return MAPI_E_NOT_FOUND;
  std::error_code error;
  std::filesystem::create_directories(inbox_, error);
  if (objectType) *objectType = MAPI_FOLDER;
  *folder = new InboxFolder(inbox_);
  return S_OK;
}

HRESULT SmsStore::Advise(ULONG entryIdSize, const std::uint8_t*, ULONG eventMask, IMAPIAdviseSink* sink,
                         ULONG* connection) {
  if (auto result = injected(MapiCall::Advise)) return *result;
  if (!sink || !connection) return E_INVALIDARG;
  if (entryIdSize != 0 || (eventMask & ~fnevObjectCreated) != 0 || eventMask == 0) return MAPI_E_NO_SUPPORT;
  std::error_code error;
  std::filesystem::create_directories(inbox_, error);
  auto watcher = InboxWatcher::start(inbox_, inboxEntryId(), sink);
  if (!watcher) return E_FAIL;
  *connection = ++lastConnection_;
  advised_.emplace(*connection, std::move(watcher));
  ++adviseConnections();
  return S_OK;
}

HRESULT SmsStore::Unadvise(ULONG connection) {
  if (auto result = injected(MapiCall::Unadvise)) return *result;
  if (advised_.erase(connection) == 0) return MAPI_E_NOT_FOUND;
  --adviseConnections();
  return S_OK;
}

}  // namespace wce::mapi
