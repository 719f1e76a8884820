#include "platform/testing/ManualClock.h"

#include <sched.h>

namespace wce {

ManualClock::ManualClock(std::uint64_t startMillis, std::int64_t wallAtStart)
    : startMicros_(startMillis * 1000u), wallAtStart_(wallAtStart), micros_(startMillis * 1000u) {}

void ManualClock::setMillis(std::uint64_t ms) { micros_.store(ms * 1000u); }

void ManualClock::advanceMillis(std::uint64_t ms) { micros_.fetch_add(ms * 1000u); }

void ManualClock::setAutoAdvance(std::uint64_t stepMillis) { stepMicros_.store(stepMillis * 1000u); }

std::uint64_t ManualClock::peekMillis() const { return micros_.load() / 1000u; }

std::uint64_t ManualClock::sleptMillis() const { return slept_.load(); }

std::uint64_t ManualClock::read() { return micros_.fetch_add(stepMicros_.load()); }

std::uint64_t ManualClock::monotonicMicros() { return read(); }

std::int64_t ManualClock::wallMillis() {
  const auto elapsed = static_cast<std::int64_t>(read() / 1000u) - static_cast<std::int64_t>(startMicros_ / 1000u);
  return wallAtStart_ + elapsed;
}

void ManualClock::sleep(std::uint32_t ms) {
  slept_.fetch_add(ms);
  advanceMillis(ms);
  sched_yield();
}

}  // namespace wce
