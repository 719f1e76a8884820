#include "nvx/app/script/ScriptPlayer.h"

#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"

namespace nvx {

ScriptPlayer::ScriptPlayer(std::vector<ScriptStep> steps, Probe probe, Checkpoint checkpoint)
    : steps_(std::move(steps)), probe_(std::move(probe)), checkpoint_(std::move(checkpoint)) {}

void ScriptPlayer::advance(uint64_t nowMillis, wce::HWND window) {
  while (!finished() && play(steps_[next_], nowMillis, window)) moveOn();
}

void ScriptPlayer::moveOn() {
  ++next_;
  phase_ = Phase::Start;
}

void ScriptPlayer::stop(const ScriptStep& step, const std::string& message) {
  failure_ = "line " + std::to_string(step.line) + ": " + message;
}

bool ScriptPlayer::play(const ScriptStep& step, uint64_t now, wce::HWND window) {
  switch (step.verb) {
    case ScriptVerb::Key: return press(step, now, window, framePeriodMs, keyIdleMs);
    case ScriptVerb::Hold: return press(step, now, window, step.millis, keyIdleMs);
    case ScriptVerb::Tap: return press(step, now, window, framePeriodMs, tapIdleMs);
    case ScriptVerb::Wait:
      if (phase_ == Phase::Start) {
        phase_ = Phase::Quiet;
        phaseStart_ = now;
      }
      return now - phaseStart_ >= step.millis;
    case ScriptVerb::Until: {
      if (phase_ == Phase::Start) {
        phase_ = Phase::Quiet;
        phaseStart_ = now;
      }
      std::optional<int32_t> value = probe_ ? probe_(step.name) : std::nullopt;
      if (!value) {
        stop(step, "the game has no value \"" + step.name + "\"");
        return false;
      }
      if (*value == step.value) return true;
      if (now - phaseStart_ >= step.millis)
        stop(step,
             step.name + " is " + std::to_string(*value) + ", not " + std::to_string(step.value) + ", after " +
                 std::to_string(step.millis) + " ms");
      return false;
    }
    case ScriptVerb::Checkpoint:
      if (checkpoint_) checkpoint_(step.name);
      return true;
  }
  return true;
}

bool ScriptPlayer::press(const ScriptStep& step, uint64_t now, wce::HWND window, uint32_t downMillis,
                         uint32_t idleMillis) {
  switch (phase_) {
    case Phase::Start:
      post(window, step, true);
      phase_ = Phase::Down;
      phaseStart_ = now;
      return false;
    case Phase::Down:
      if (now - phaseStart_ < downMillis) return false;
      post(window, step, false);
      phase_ = Phase::Quiet;
      phaseStart_ = now;
      return false;
    case Phase::Quiet: return now - phaseStart_ >= idleMillis;
  }
  return true;
}

void ScriptPlayer::post(wce::HWND window, const ScriptStep& step, bool down) const {
  if (step.verb == ScriptVerb::Tap) {
    wce::PostMessageW(window,
                      down ? wce::WM_LBUTTONDOWN : wce::WM_LBUTTONUP,
                      down ? wce::MK_LBUTTON : 0,
                      wce::MAKELPARAM(step.x, step.y));
    return;
  }
  const wce::LPARAM released = wce::KF_REPEAT_BIT | (wce::LPARAM{1} << 31);
  wce::PostMessageW(window, down ? wce::WM_KEYDOWN : wce::WM_KEYUP, step.virtualKey, down ? 1 : 1 | released);
}

}  // namespace nvx
