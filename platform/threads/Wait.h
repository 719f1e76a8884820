#pragma once

#include <cstdint>

namespace wce {

// Results and the unlimited time-out of the wait calls.
inline constexpr uint32_t WAIT_OBJECT_0 = 0;
inline constexpr uint32_t WAIT_TIMEOUT = 258;
inline constexpr uint32_t INFINITE = 0xFFFFFFFFu;
inline constexpr uint32_t WAIT_FAILED = 0xFFFFFFFFu;

}  // namespace wce
