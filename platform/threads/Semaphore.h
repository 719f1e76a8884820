#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace wce {

// A counting semaphore with a maximum count and timed waits.
class Semaphore {
public:
  Semaphore(int32_t initialCount, int32_t maximumCount);
  Semaphore(const Semaphore&) = delete;
  Semaphore& operator=(const Semaphore&) = delete;

  // Adds count; false (and no change) when that would pass the maximum or count <= 0.
  bool ReleaseSemaphore(int32_t count, int32_t* previousCount = nullptr);
  // WAIT_OBJECT_0 after taking one unit within the time (ms, or INFINITE), else WAIT_TIMEOUT.
  uint32_t WaitForSingleObject(uint32_t milliseconds);

private:
  std::mutex mutex_;
  std::condition_variable released_;
  int32_t count_;
  const int32_t maximum_;
};

}  // namespace wce
