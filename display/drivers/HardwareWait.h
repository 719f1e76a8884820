#pragma once

#include <cstdint>
#include <functional>

namespace tdlx {

// How long a driver waits for the hardware before it goes on anyway.
inline constexpr std::uint32_t kHardwareWaitLimitMs = 50;

// Gives up the time slice, then polls done until it answers true or the limit
// has passed on the millisecond timer; answers done's last answer.
bool waitForHardware(const std::function<bool()>& done);

}  // namespace tdlx
