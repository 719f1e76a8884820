#include "platform/threads/Semaphore.h"

#include <chrono>

#include "platform/threads/Wait.h"

namespace wce {

Semaphore::Semaphore(int32_t initialCount, int32_t maximumCount)
    : count_(initialCount < 0 ? 0 : initialCount), maximum_(maximumCount) {}

bool Semaphore::ReleaseSemaphore(int32_t count, int32_t* previousCount) {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    if (count <= 0 || count > maximum_ - count_) {
      return false;
    }
    if (previousCount != nullptr) {
      *previousCount = count_;
    }
    count_ += count;
  }
  if (count == 1) {
    released_.notify_one();
  } else {
    released_.notify_all();
  }
  return true;
}

uint32_t Semaphore::WaitForSingleObject(uint32_t milliseconds) {
  std::unique_lock<std::mutex> guard(mutex_);
  auto available = [this] { return count_ > 0; };
  if (milliseconds == INFINITE) {
    released_.wait(guard, available);
  } else if (!released_.wait_for(guard, std::chrono::milliseconds(milliseconds), available)) {
    return WAIT_TIMEOUT;
  }
  --count_;
  return WAIT_OBJECT_0;
}

}  // namespace wce
