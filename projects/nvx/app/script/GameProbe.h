#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nvx {

// The game's values a script can wait for: "state" (the game state),
// "dialog" (the open window's id, -1 when none is open), "splash" (the
// splash step), "level" (the level number), "language" (the language
// index), "transition" (the requested transition, 0 for none), "money",
// "step" (the plan's step index), "alarm" (1 once an alarm was raised).
std::optional<int32_t> gameValue(const std::string& name);

}  // namespace nvx
