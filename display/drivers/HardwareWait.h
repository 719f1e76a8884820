#pragma once

#include <cstdint>
#include <functional>

namespace tdlx {

// How long a driver waits for the hardware before it goes on anyway.
inline constexpr std::uint32_t kHardwareWaitLimitMs = 50;
// The most polls of one wait, so that a millisecond timer that has stopped
// cannot hold it up for good.
inline constexpr std::uint32_t kHardwareWaitPolls = 100000;

// Gives up the time slice, then polls done, giving up the time slice between
// polls, until it answers true, the limit has passed on the millisecond timer
// or the polls are used up; answers done's last answer.
bool waitForHardware(const std::function<bool()>& done);

}  // namespace tdlx
