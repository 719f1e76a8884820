#pragma once
// The handheld's time calls, answered by the installed ClockSource.

#include <cstdint>

#include "platform/system/ClockSource.h"

namespace wce {

// Milliseconds since the device started, wrapping after 49.7 days.
std::uint32_t GetTickCount();
// The same count kept in 64 bits: never wraps.
std::uint64_t MonotonicMillis();
// Unix milliseconds, UTC.
std::int64_t WallClockMillis();
// Sleep(0) gives up the rest of the time slice.
void Sleep(std::uint32_t ms);
// Microsecond counter at a frequency of 1000000.
bool QueryPerformanceCounter(std::int64_t* count);
bool QueryPerformanceFrequency(std::int64_t* frequency);

// Installs a source for every later call; null restores the system clock.
// The source must outlive its installation.
void setClockSource(ClockSource* source);
ClockSource& clockSource();

// Installs a source for the lifetime of the object, then restores the previous one.
class ScopedClockSource {
public:
  explicit ScopedClockSource(ClockSource& source);
  ~ScopedClockSource();
  ScopedClockSource(const ScopedClockSource&) = delete;
  ScopedClockSource& operator=(const ScopedClockSource&) = delete;

private:
  ClockSource& previous_;
};

}  // namespace wce
