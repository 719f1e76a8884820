#pragma once
// The message store "SMS": its inbox and the watchers of its advise connections.

#include <filesystem>
#include <map>
#include <memory>

#include "platform/mapi/InboxWatcher.h"
#include "platform/mapi/MapiObject.h"

namespace wce::mapi {

// Entry ids of the store and of its inbox.
const Bytes& smsStoreEntryId();
const Bytes& inboxEntryId();

class SmsStore final : public MapiObject<IMsgStore> {
public:
  explicit SmsStore(std::filesystem::path inbox) : inbox_(std::move(inbox)) {}

  HRESULT GetProps(const PropTagArray* tags, ULONG flags, ULONG* count, PropValue** values) override;
  HRESULT OpenEntry(ULONG entryIdSize, const std::uint8_t* entryId, const void* interfaceId, ULONG flags,
                    ULONG* objectType, IMAPIFolder** folder) override;
  HRESULT Advise(ULONG entryIdSize, const std::uint8_t* entryId, ULONG eventMask, IMAPIAdviseSink* sink,
                 ULONG* connection) override;
  HRESULT Unadvise(ULONG connection) override;

private:
  // Stops every watcher that is still advised.
  ~SmsStore() override;

  const std::filesystem::path inbox_;
  std::map<ULONG, std::unique_ptr<InboxWatcher>> advised_;
  ULONG lastConnection_ = 0;
};

}  // namespace wce::mapi
