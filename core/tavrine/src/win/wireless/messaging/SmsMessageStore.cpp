#include "wireless/messaging/SmsMessageStore.h"

#include "lang/DbyteArray.h"
#include "wireless/messaging/DMAPIEntryArray.h"
#include "wireless/messaging/MapiTableReader.h"
#include "wireless/messaging/SmsArrivals.h"

namespace qel::messaging {

namespace {

constexpr wce::ULONG kStoreFlags = wce::MDB_NO_DIALOG | wce::MAPI_BEST_ACCESS;
constexpr wce::ULONG kOpenEntryFlags = 2;

template <typename Object>
void releaseAndClear(Object*& object) {
  if (object) object->Release();
  object = nullptr;
}

}  // namespace

void SmsMessageStore::open(const MapiLibrary& library, wce::HWND window) {
  if (!library.complete() || wce::failed(library.initialize(nullptr))) return;
  initialized_ = true;
  if (!openInbox(library, window)) {
    library.uninitialize();
    initialized_ = false;
    return;
  }
  adviseSink();
}

bool SmsMessageStore::openInbox(const MapiLibrary& library, wce::HWND window) {
  const auto windowParameter = reinterpret_cast<std::uintptr_t>(window);
  if (wce::failed(library.logonEx(windowParameter, u"", u"", 0, &session_)) || !session_) {
    session_ = nullptr;
    return false;
  }
  const DMAPIEntryArrayPtr stores = MapiTableReader(library).listStores(session_);
  DMAPIEntryPtr sms;
  for (int32_t i = 0; stores && i < stores->length() && !sms; ++i) {
    const DMAPIEntryPtr& entry = stores->at(i);
    if (entry && entry->getName() && entry->getName()->equals(u"SMS")) sms = entry;
  }
  if (!sms) {
    releaseObjects();
    return false;
  }
  const qel::lang::DbyteArrayPtr storeId = sms->getEntryId();
  const auto* storeIdBytes = storeId ? reinterpret_cast<const uint8_t*>(storeId->data()) : nullptr;
  const auto storeIdSize = static_cast<wce::ULONG>(storeId ? storeId->length() : 0);
  if (wce::failed(session_->OpenMsgStore(0, storeIdSize, storeIdBytes, nullptr, kStoreFlags, &store_)) || !store_) {
    store_ = nullptr;
    releaseObjects();
    return false;
  }
  static constexpr wce::ULONG kInboxTag[] = {wce::PR_CE_IPM_INBOX_ENTRYID};
  const wce::PropTagArray tags{1, kInboxTag};
  wce::ULONG count = 0;
  wce::PropValue* values = nullptr;
  const wce::HRESULT got = store_->GetProps(&tags, wce::MAPI_UNICODE, &count, &values);
  if (wce::failed(got) || count != 1 || !values || values[0].tag != wce::PR_CE_IPM_INBOX_ENTRYID) {
    if (values) library.freeBuffer(values);
    releaseObjects();
    return false;
  }
  inboxEntryId_ = values;
  const wce::MapiBinary& inboxId = inboxEntryId_->value.binary;
  if (wce::failed(store_->OpenEntry(inboxId.size, inboxId.bytes, nullptr, kOpenEntryFlags, nullptr, &inbox_)) ||
      !inbox_) {
    inbox_ = nullptr;
    library.freeBuffer(inboxEntryId_);
    inboxEntryId_ = nullptr;
    releaseObjects();
    return false;
  }
  return true;
}

void SmsMessageStore::adviseSink() {
  sink_ = new DMAPIAdviseSink();
  sink_->AddRef();
  const wce::MapiBinary& inboxId = inboxEntryId_->value.binary;
  smsArrivals().setInboxEntryId(std::vector<uint8_t>(inboxId.bytes, inboxId.bytes + inboxId.size));
  if (wce::failed(store_->Advise(0, nullptr, wce::fnevObjectCreated, sink_, &adviseConnection_))) {
    adviseConnection_ = 0;
    releaseAndClear(sink_);
  }
}

void SmsMessageStore::close(const MapiLibrary& library) {
  if (library.complete()) {
    library.freeBuffer(inboxEntryId_);
    inboxEntryId_ = nullptr;
    if (store_ && adviseConnection_ != 0) store_->Unadvise(adviseConnection_);
    adviseConnection_ = 0;
    releaseObjects();
    if (initialized_) library.uninitialize();
    initialized_ = false;
  }
  releaseAndClear(sink_);
  smsArrivals().setInboxEntryId({});
}

void SmsMessageStore::releaseObjects() {
  releaseAndClear(inbox_);
  releaseAndClear(store_);
  releaseAndClear(session_);
}

}  // namespace qel::messaging
