#pragma once
// A key-and-pointer script for the game, one step a line:
//   key K            press K, hold it one frame, release, idle 250 ms
//   hold K 1s        press K, hold it that long, release, idle 250 ms
//   tap X Y          pen down at screen point (X, Y), one frame, up, idle 150 ms
//   wait 2s          idle
//   until NAME=V timeout=20s   idle until the game's value NAME equals V
//   checkpoint NAME  a named point for whoever plays the script
// Durations are whole milliseconds ("250ms") or seconds ("2s", "0.5s").
// "#" starts a comment; blank lines are skipped.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace nvx {

enum class ScriptVerb { Key, Hold, Tap, Wait, Until, Checkpoint };

struct ScriptStep {
  ScriptVerb verb = ScriptVerb::Wait;
  int line = 0;
  uint32_t virtualKey = 0;  // key, hold
  uint32_t millis = 0;      // hold and wait: the length; until: the timeout
  int32_t x = 0;            // tap
  int32_t y = 0;
  std::string name;   // until: the value's name; checkpoint: its name
  int32_t value = 0;  // until
  bool operator==(const ScriptStep&) const = default;
};

// A script that cannot be read: the message names the line.
class ScriptError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

std::vector<ScriptStep> parseScript(std::string_view text);
std::vector<ScriptStep> loadScript(const std::filesystem::path& file);

// The virtual key of a desktop key name: Up, Down, Left, Right; 0-9; A-Z;
// Return (or Select); F1 (or SoftLeft), F2 (or SoftRight), Esc; "+" and "-"
// (the application keys 3 and 2); Star and Pound (a smartphone's keypad "*"
// and "#", F8 and F9).
std::optional<uint32_t> virtualKeyNamed(std::string_view name);
// "250ms", "2s", "1.5s"; none for anything else.
std::optional<uint32_t> parseDuration(std::string_view text);

}  // namespace nvx
