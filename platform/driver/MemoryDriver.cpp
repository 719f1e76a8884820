#include "platform/driver/MemoryDriver.h"

#include <algorithm>
#include <chrono>

namespace wce {

void MemoryDriver::waitEvents(std::uint32_t timeoutMs) {
  std::unique_lock lock(guard_);
  const auto longest = std::chrono::milliseconds(std::min(timeoutMs, kLongestWaitMs));
  woken_.wait_for(lock, longest, [this] { return wakePending_; });
  wakePending_ = false;
}

void MemoryDriver::wake() {
  {
    std::lock_guard lock(guard_);
    wakePending_ = true;
  }
  woken_.notify_all();
}

}  // namespace wce
