#include "wireless/messaging/SmsArrivals.h"

#include <algorithm>

namespace qel::messaging {

void SmsArrivals::setInboxEntryId(std::vector<uint8_t> entryId) {
  std::lock_guard lock(mutex_);
  inboxEntryId_ = std::move(entryId);
}

void SmsArrivals::count(wce::ULONG count, const wce::Notification* notifications) {
  if (!listening() || count == 0 || !notifications) return;
  std::lock_guard lock(mutex_);
  for (wce::ULONG i = 0; i < count; ++i) {
    const wce::Notification& notification = notifications[i];
    const wce::ObjectNotification& object = notification.object;
    const bool inInbox = !inboxEntryId_.empty() && object.parentIdSize == inboxEntryId_.size() && object.parentId &&
                         std::equal(inboxEntryId_.begin(), inboxEntryId_.end(), object.parentId);
    if (notification.eventType == wce::fnevObjectCreated && inInbox) ++pending_;
  }
}

bool SmsArrivals::takeOne() {
  std::lock_guard lock(mutex_);
  if (pending_ < 1) return false;
  --pending_;
  return true;
}

void SmsArrivals::clearPending() {
  std::lock_guard lock(mutex_);
  pending_ = 0;
}

int SmsArrivals::pending() {
  std::lock_guard lock(mutex_);
  return pending_;
}

SmsArrivals& smsArrivals() {
  static SmsArrivals instance;
  return instance;
}

}  // namespace qel::messaging
