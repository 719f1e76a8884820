#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/driver/DeviceDriver.h"

namespace wce {

// The device in memory, for tests and runs without a machine to show it
// on: no events of its own, the panel stays in memory, no message box is
// shown, the wave-out driver it was given (none by default).
class MemoryDriver : public DeviceDriver {
public:
  // A wait looks again at least this often, so that a test's clock can
  // bring a timer due while it waits.
  static constexpr std::uint32_t kLongestWaitMs = 10;

  explicit MemoryDriver(std::shared_ptr<WaveOutDriver> waveOut = nullptr) : waveOut_(std::move(waveOut)) {}

  void pollEvents() override {}
  void waitEvents(std::uint32_t timeoutMs) override;
  void wake() override;
  void present() override {}
  void showMessageBox(const MessageBoxRecord&) override {}
  std::shared_ptr<WaveOutDriver> waveOut() override { return waveOut_; }

private:
  std::shared_ptr<WaveOutDriver> waveOut_;
  std::mutex guard_;
  std::condition_variable woken_;
  bool wakePending_ = false;
};

}  // namespace wce
