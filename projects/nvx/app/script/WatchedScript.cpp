#include "nvx/app/script/WatchedScript.h"

#include <algorithm>
#include <cstdio>

#include "nvx/app/script/GameProbe.h"
#include "platform/system/Clock.h"
#include "platform/window/Windows.h"

namespace nvx {

WatchedScript::WatchedScript(std::vector<ScriptStep> steps, wce::DeviceDriver& device)
    : player_(std::move(steps), &gameValue,
              [](const std::string& name) { std::fprintf(stderr, "nightvault: script at %s\n", name.c_str()); }),
      device_(device) {}

void WatchedScript::waitEvents(std::uint32_t timeoutMs) {
  device_.waitEvents(std::min(timeoutMs, ScriptPlayer::framePeriodMs));
}

void WatchedScript::pollEvents() {
  device_.pollEvents();
  if (wce::HWND window = wce::newestTopLevelWindow()) player_.advance(wce::MonotonicMillis(), window);
  if (reported_ || !player_.finished()) return;
  reported_ = true;
  if (player_.failure().empty())
    std::fprintf(stderr, "nightvault: script done\n");
  else
    std::fprintf(stderr, "nightvault: script stopped at %s\n", player_.failure().c_str());
}

}  // namespace nvx
