#pragma once
// A clock that moves only when told to: set, advance, sleep (which advances
// instead of waiting), or by a fixed step on every read (auto-advance, for
// busy loops that poll the clock). Safe to read from several threads.

#include <atomic>
#include <cstdint>

#include "platform/system/ClockSource.h"

namespace wce {

class ManualClock final : public ClockSource {
public:
  explicit ManualClock(std::uint64_t startMillis = 0, std::int64_t wallAtStart = 1'000'000'000'000);

  void setMillis(std::uint64_t ms);
  void advanceMillis(std::uint64_t ms);
  // Every later read answers the current time and then moves it on by step
  // milliseconds; 0 turns auto-advance off.
  void setAutoAdvance(std::uint64_t stepMillis);
  // The current time in milliseconds, without advancing.
  std::uint64_t peekMillis() const;
  std::uint64_t sleptMillis() const;

  std::uint64_t monotonicMicros() override;
  // Moves with the monotonic time: wallAtStart plus the time elapsed since
  // startMillis.
  std::int64_t wallMillis() override;
  void sleep(std::uint32_t ms) override;

private:
  std::uint64_t read();

  const std::uint64_t startMicros_;
  const std::int64_t wallAtStart_;
  std::atomic<std::uint64_t> micros_;
  std::atomic<std::uint64_t> stepMicros_{0};
  std::atomic<std::uint64_t> slept_{0};
};

}  // namespace wce
