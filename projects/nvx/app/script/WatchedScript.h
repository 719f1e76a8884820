#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "nvx/app/script/ScriptPlayer.h"
#include "platform/driver/DeviceDriver.h"

namespace nvx {

// A script played on the real clock while a person watches: the device
// driver around the program's own, which after each look at the machine's
// events plays the script into the newest top-level window. Its waits end
// at least once a frame, so that the script keeps its time. Says on stderr
// once when the script is done or where it failed.
class WatchedScript final : public wce::DeviceDriver {
public:
  WatchedScript(std::vector<ScriptStep> steps, wce::DeviceDriver& device);

  void pollEvents() override;
  void waitEvents(std::uint32_t timeoutMs) override;
  void wake() override { device_.wake(); }
  void present() override { device_.present(); }
  void showMessageBox(const wce::MessageBoxRecord& record) override { device_.showMessageBox(record); }
  std::shared_ptr<wce::WaveOutDriver> waveOut() override { return device_.waveOut(); }

private:
  ScriptPlayer player_;
  wce::DeviceDriver& device_;
  bool reported_ = false;
};

}  // namespace nvx
