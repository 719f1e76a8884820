#pragma once

#include <atomic>

#include "platform/mapi/MapiTypes.h"

namespace qel::messaging {

// The notification sink registered on the SMS store. It counts new inbox
// messages into the SMS layer's arrivals and nothing else; the store calls
// it on its own thread. Created with a count of 0; Release deletes it at 0.
class DMAPIAdviseSink final : public wce::IMAPIAdviseSink {
public:
  DMAPIAdviseSink() = default;
  DMAPIAdviseSink(const DMAPIAdviseSink&) = delete;
  DMAPIAdviseSink& operator=(const DMAPIAdviseSink&) = delete;

  // E_NOTIMPL.
  wce::HRESULT QueryInterface(const void* interfaceId, void** object) override;
  wce::ULONG AddRef() override;
  wce::ULONG Release() override;
  // Always 0.
  wce::ULONG OnNotify(wce::ULONG count, const wce::Notification* notifications) override;

private:
  ~DMAPIAdviseSink() override = default;

  std::atomic<wce::ULONG> references_{0};
};

}  // namespace qel::messaging
