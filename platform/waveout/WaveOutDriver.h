#pragma once

#include <cstdint>
#include <memory>

#include "platform/waveout/WaveOutTypes.h"

namespace wce {

class WaveOutStream;

// One open device of a driver: it takes bytes from its stream as it plays.
class WaveOutPort {
public:
  virtual ~WaveOutPort() = default;
  virtual void paused(bool isPaused) = 0;
  // A buffer was just queued.
  virtual void written() {}
};

// Where wave-out plays. A driver is installed once; without one there is no device.
class WaveOutDriver {
public:
  virtual ~WaveOutDriver() = default;
  virtual uint32_t deviceCount() const = 0;
  // Null when the device refuses the format. The port lives shorter than the stream.
  virtual std::unique_ptr<WaveOutPort> open(uint32_t deviceId, WaveOutStream& stream) = 0;
};

// Installs the driver that later waveOutOpen calls use (null removes it).
void installWaveOutDriver(std::shared_ptr<WaveOutDriver> driver);
std::shared_ptr<WaveOutDriver> installedWaveOutDriver();

}  // namespace wce
