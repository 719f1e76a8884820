#pragma once
// Where the emulated handheld reads its time from. The system clock is the
// default; tests install a clock of their own so that timing rules run
// without waiting.

#include <cstdint>

namespace wce {

class ClockSource {
public:
  virtual ~ClockSource() = default;
  // Microseconds since the device started; never decreases.
  virtual std::uint64_t monotonicMicros() = 0;
  // Milliseconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t wallMillis() = 0;
  virtual void sleep(std::uint32_t ms) = 0;
};

// CLOCK_MONOTONIC, CLOCK_REALTIME and nanosleep.
class SystemClock final : public ClockSource {
public:
  std::uint64_t monotonicMicros() override;
  std::int64_t wallMillis() override;
  void sleep(std::uint32_t ms) override;
};

}  // namespace wce
