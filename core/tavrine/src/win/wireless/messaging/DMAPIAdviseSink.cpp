#include "wireless/messaging/DMAPIAdviseSink.h"

#include "wireless/messaging/SmsArrivals.h"

namespace qel::messaging {

wce::HRESULT DMAPIAdviseSink::QueryInterface(const void*, void** object) {
  if (object) *object = nullptr;
  return wce::E_NOTIMPL;
}

wce::ULONG DMAPIAdviseSink::AddRef() { return ++references_; }

wce::ULONG DMAPIAdviseSink::Release() {
  const wce::ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

wce::ULONG DMAPIAdviseSink::OnNotify(wce::ULONG count, const wce::Notification* notifications) {
  smsArrivals().count(count, notifications);
  return 0;
}

}  // namespace qel::messaging
