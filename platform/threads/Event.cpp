#include "platform/threads/Event.h"

#include <chrono>

#include "platform/threads/Wait.h"

namespace wce {

void Event::SetEvent() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    signaled_ = true;
  }
  changed_.notify_one();
}

void Event::ResetEvent() {
  std::lock_guard<std::mutex> guard(mutex_);
  signaled_ = false;
}

uint32_t Event::WaitForSingleObject(uint32_t milliseconds) {
  std::unique_lock<std::mutex> guard(mutex_);
  auto isSignaled = [this] { return signaled_; };
  if (milliseconds == INFINITE) {
    changed_.wait(guard, isSignaled);
  } else if (!changed_.wait_for(guard, std::chrono::milliseconds(milliseconds), isSignaled)) {
    return WAIT_TIMEOUT;
  }
  signaled_ = false;
  return WAIT_OBJECT_0;
}

}  // namespace wce
