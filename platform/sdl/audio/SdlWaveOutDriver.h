#pragma once

#include <cstdint>
#include <memory>

#include "platform/waveout/WaveOutDriver.h"

namespace wce::sdl {

// Plays wave-out through SDL audio (one device: SDL's default output). SDL
// converts the format when the device wants another; SDL_AUDIODRIVER picks the
// driver (dummy and disk work without a sound card).
class SdlWaveOutDriver : public WaveOutDriver {
public:
  SdlWaveOutDriver();
  ~SdlWaveOutDriver() override;
  SdlWaveOutDriver(const SdlWaveOutDriver&) = delete;
  SdlWaveOutDriver& operator=(const SdlWaveOutDriver&) = delete;

  // 1 when SDL's audio started, else 0.
  uint32_t deviceCount() const override;
  std::unique_ptr<WaveOutPort> open(uint32_t deviceId, WaveOutStream& stream) override;

private:
  bool ready_ = false;
};

}  // namespace wce::sdl
