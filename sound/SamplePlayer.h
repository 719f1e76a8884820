#pragma once

#include <cstdint>

#include "sound/SoundChannel.h"

namespace nv::sound {

class SoundSample;

// An sfx channel: plays one PCM sound at its playback rate.
class SamplePlayer : public SoundChannel {
public:
  explicit SamplePlayer(SoundSystem* owner) : SoundChannel(owner) {}

  void setVolume(int volume) override;
  void setPanning(int panning) override;
  // Positions and lengths count frames << 8 >> (8, +1 for 16-bit, +1 for stereo).
  int getPosition() override;
  void setPosition(int position) override;
  int getLength() override;

  // Under the device lock: takes the sample's data and settings, still stopped.
  void setup(const SoundSample& sample);
  // Under the device lock: adds frames of output to the accumulators (right only in stereo).
  void render(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut, uint32_t outputRate);

private:
  int shift() const { return (eightBit_ ? 8 : 9) + (stereo_ ? 1 : 0); }

  uint32_t step_ = 0;
  uint32_t position_ = 0;
  uint32_t length_ = 0;
  bool eightBit_ = true;
  bool stereo_ = false;
};

}  // namespace nv::sound
