#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace wce {

// An auto-reset event: a successful wait consumes the signal.
class Event {
public:
  explicit Event(bool initiallySignaled = false) : signaled_(initiallySignaled) {}
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void SetEvent();
  void ResetEvent();
  // WAIT_OBJECT_0 when signalled within the time (ms, or INFINITE), else WAIT_TIMEOUT.
  uint32_t WaitForSingleObject(uint32_t milliseconds);

private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signaled_;
};

}  // namespace wce
