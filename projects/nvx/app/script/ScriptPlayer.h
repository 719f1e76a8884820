#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "nvx/app/script/Script.h"
#include "platform/system/WinTypes.h"

namespace nvx {

// Plays a script by time into a window's message queue. Called once a pass
// of the host's loop with the time of that pass, it posts what is due (at
// most one message a pass, so a press and its release fall into different
// game steps) and moves on to the next step when the current one is done.
// A key is released one frame (framePeriodMs) after its press and followed
// by keyIdleMs of quiet: the game drops a key closer than 200 ms to the one
// before. Playing stops at the first failure: an unknown value name, or an
// "until" whose timeout passed.
class ScriptPlayer {
public:
  static constexpr uint32_t framePeriodMs = 42;
  static constexpr uint32_t keyIdleMs = 250;
  static constexpr uint32_t tapIdleMs = 150;

  // The game's value of a name ("state"), none for a name it does not know.
  using Probe = std::function<std::optional<int32_t>(const std::string& name)>;
  using Checkpoint = std::function<void(const std::string& name)>;

  ScriptPlayer(std::vector<ScriptStep> steps, Probe probe, Checkpoint checkpoint = {});

  void advance(uint64_t nowMillis, wce::HWND window);

  bool finished() const { return next_ >= steps_.size() || !failure_.empty(); }
  // Empty unless playing stopped on a failure; then it names the line.
  const std::string& failure() const { return failure_; }

private:
  enum class Phase { Start, Down, Quiet };

  // True when the step is done and the next may start in the same pass.
  bool play(const ScriptStep& step, uint64_t now, wce::HWND window);
  bool press(const ScriptStep& step, uint64_t now, wce::HWND window, uint32_t downMillis, uint32_t idleMillis);
  void post(wce::HWND window, const ScriptStep& step, bool down) const;
  void moveOn();
  void stop(const ScriptStep& step, const std::string& message);

  std::vector<ScriptStep> steps_;
  Probe probe_;
  Checkpoint checkpoint_;
  std::size_t next_ = 0;
  Phase phase_ = Phase::Start;
  uint64_t phaseStart_ = 0;
  std::string failure_;
};

}  // namespace nvx
