#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/mapi/MapiTypes.h"

namespace qel::messaging {

// New inbox messages counted by the notification sink on the store's thread
// and handed out to listeners on the host's thread. Counting happens only
// while the listening flag is set.
class SmsArrivals {
public:
  // The id that a notification's parent must have to count.
  void setInboxEntryId(std::vector<uint8_t> entryId);
  void setListening(bool listening) { listening_.store(listening); }
  bool listening() const { return listening_.load(); }

  // One for every object-created notification whose parent is the inbox.
  void count(wce::ULONG count, const wce::Notification* notifications);
  // Takes one pending message; false when none is pending.
  bool takeOne();
  void clearPending();
  int pending();

private:
  std::atomic<bool> listening_{false};
  std::mutex mutex_;
  int pending_ = 0;
  std::vector<uint8_t> inboxEntryId_;
};

// The SMS layer's one instance.
SmsArrivals& smsArrivals();

}  // namespace qel::messaging
