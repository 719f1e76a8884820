#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace wce {

// A file position or distance in the host's offset type (off_t); nothing
// when that type cannot hold it, so that a position is never cut short.
template <typename Offset>
constexpr std::optional<Offset> toFileOffset(std::int64_t value) {
  if (!std::in_range<Offset>(value)) return std::nullopt;
  return static_cast<Offset>(value);
}

}  // namespace wce
