#pragma once

#include <functional>
#include <vector>

#include "nvx/app/script/ScriptPlayer.h"

namespace nvx {

// A script played on the real clock while a person watches: for its
// lifetime it is the message pump, running the device's pump first and then
// the script into the newest top-level window. Says on stderr once when the
// script is done or where it failed.
class WatchedScript {
public:
  WatchedScript(std::vector<ScriptStep> steps, std::function<void()> devicePump);
  ~WatchedScript();
  WatchedScript(const WatchedScript&) = delete;
  WatchedScript& operator=(const WatchedScript&) = delete;

private:
  void pump();

  ScriptPlayer player_;
  std::function<void()> devicePump_;
  bool reported_ = false;
};

}  // namespace nvx
