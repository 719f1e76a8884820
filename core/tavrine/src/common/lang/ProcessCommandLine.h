#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qel::lang {

// The command line the process started with, as WinMain received it; empty
// until it is set.
class ProcessCommandLine {
public:
  static constexpr int32_t Capacity = 1023;  // units, without the terminator

  ProcessCommandLine() = delete;

  // Keeps at most Capacity units.
  static void set(std::u16string_view text);
  static const std::u16string& text();
};

}  // namespace qel::lang
