#pragma once
// A clock for a thread that polls a scanning controller: time moves only when
// that thread sleeps, by a fixed step, and the sleep returns once another
// thread (the scanner, which reads the clock once a pass) has read the new
// time twice, so the registers show that time before the next poll. The
// outcome of a wait then depends on the step alone, not on the machine's load.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/system/ClockSource.h"

namespace tdlx::testing {

class LockstepClock final : public wce::ClockSource {
public:
  explicit LockstepClock(std::uint64_t stepMicros)
      : step_(stepMicros), micros_(wce::SystemClock().monotonicMicros()), poller_(std::this_thread::get_id()) {}

  std::uint64_t monotonicMicros() override {
    std::lock_guard lock(guard_);
    if (std::this_thread::get_id() != poller_) {
      ++otherReads_;
      read_.notify_all();
    }
    return micros_;
  }

  std::int64_t wallMillis() override { return static_cast<std::int64_t>(monotonicMicros() / 1000); }

  void sleep(std::uint32_t ms) override {
    std::unique_lock lock(guard_);
    micros_ += std::uint64_t{ms} * 1000 + step_;
    const std::uint64_t before = otherReads_;
    // Bounded so that a scanner that never runs fails the test, not hangs it.
    read_.wait_for(lock, std::chrono::seconds(5), [&] { return otherReads_ >= before + 2; });
  }

private:
  const std::uint64_t step_;
  std::mutex guard_;
  std::condition_variable read_;
  std::uint64_t micros_;
  std::uint64_t otherReads_ = 0;
  const std::thread::id poller_;
};

}  // namespace tdlx::testing
