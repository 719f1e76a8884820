#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/waveout/WaveOutDriver.h"

namespace wce {

// A deterministic driver for tests: nothing plays by itself. The test finishes
// queued buffers one at a time (the WOM_DONE callback runs on the test's thread)
// and reads back every byte that was played.
class ManualWaveOutDriver : public WaveOutDriver {
public:
  explicit ManualWaveOutDriver(uint32_t devices = 1) : devices_(devices) {}

  uint32_t deviceCount() const override { return devices_; }
  std::unique_ptr<WaveOutPort> open(uint32_t deviceId, WaveOutStream& stream) override;

  bool isOpen() const;
  WAVEFORMATEX openFormat() const;
  size_t queuedBuffers() const;
  // Plays the oldest queued buffer whole; false when closed, paused or nothing is queued.
  bool completeNextBuffer();
  // Waits until at least count buffers are queued (for a feeder on another thread).
  bool waitForQueued(size_t count, std::chrono::milliseconds timeout);
  std::vector<uint8_t> played() const;
  size_t writes() const;

private:
  class Port;
  friend class Port;

  void detach();
  void noteWrite();

  const uint32_t devices_;
  mutable std::mutex mutex_;
  std::condition_variable written_;
  WaveOutStream* stream_ = nullptr;
  std::vector<uint8_t> played_;
  size_t writes_ = 0;
};

}  // namespace wce
