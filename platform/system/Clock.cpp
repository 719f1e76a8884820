#include "platform/system/Clock.h"

#include <atomic>

namespace wce {
namespace {

SystemClock systemClock;
std::atomic<ClockSource*> installed{&systemClock};

}  // namespace

ClockSource& clockSource() { return *installed.load(); }

void setClockSource(ClockSource* source) { installed.store(source ? source : &systemClock); }

std::uint64_t MonotonicMillis() { return clockSource().monotonicMicros() / 1000u; }

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(MonotonicMillis()); }

std::int64_t WallClockMillis() { return clockSource().wallMillis(); }

void Sleep(std::uint32_t ms) { clockSource().sleep(ms); }

bool QueryPerformanceCounter(std::int64_t* count) {
  if (!count) return false;
  *count = static_cast<std::int64_t>(clockSource().monotonicMicros());
  return true;
}

bool QueryPerformanceFrequency(std::int64_t* frequency) {
  if (!frequency) return false;
  *frequency = 1000000;
  return true;
}

ScopedClockSource::ScopedClockSource(ClockSource& source) : previous_(clockSource()) { setClockSource(&source); }

ScopedClockSource::~ScopedClockSource() { setClockSource(&previous_); }

}  // namespace wce
