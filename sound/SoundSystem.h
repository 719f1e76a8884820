#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "sound/ModulePlayer.h"
#include "sound/PeriodTables.h"
#include "sound/SamplePlayer.h"
#include "sound/WaveOutDevice.h"

namespace nv::sound {

class SoundModule;
class SoundSample;

// The software mixer: module music and sampled effects at once on one output
// device. Results are 0 or a negative code; nothing throws.
class SoundSystem {
public:
  static constexpr int kNoChannel = -1000;
  static constexpr uint32_t kFreeChannel = 0x10000000;
  static constexpr uint32_t kStartPaused = 0x20000000;
  static constexpr uint32_t kBufferMs = 180;
  static constexpr int kMaxModuleChannels = 32;

  SoundSystem();
  virtual ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // 0, -2 already open, -5 no device, -10 no memory, or the device's code.
  int open(int frequency, int bitsPerSample, int stereo, int musicChannels, int sfxChannels);
  int close();
  bool isOpen() const { return open_; }
  void pause();
  void resume();

  // Handles 0..music-1 are music channels, then the sfx channels; null otherwise.
  SoundChannel* getChannel(int handle);
  int playSample(const SoundSample* sample, uint32_t flags);
  int playModule(const SoundModule* module, uint32_t flags);
  void stopAllSamples();
  void stopAllModules();

  void setSfxVolume(int volume);
  void setMusicVolume(int volume);
  uint32_t getSfxVolume() const;
  uint32_t getMusicVolume() const;

  int musicChannelCount() const { return static_cast<int>(music_.size()); }
  int sfxChannelCount() const { return static_cast<int>(sfx_.size()); }
  uint32_t outputRate() const { return outputRate_; }

  // The device lock (recursive): held around every change to channel records.
  void lock();
  void unlock();

  static void fillCallback(void* user, uint8_t* buffer, uint32_t byteCount);
  // Fills byteCount bytes of output in the opened format.
  void mix(uint8_t* buffer, uint32_t byteCount);

private:
  static constexpr uint32_t kChunkFrames = 512;

  int takeSfxChannel(const SoundSample& sample, uint32_t flags);
  int takeMusicChannel(uint32_t flags);
  void releaseChannels();
  void mixChunk(uint8_t* out, uint32_t frames);
  // The mixed chunk (music plus effects, in the music buffers), clipped to the output format.
  void writeSixteenBit(uint8_t* out, uint32_t frames, bool stereo);
  void writeEightBit(uint8_t* out, uint32_t frames, bool stereo) const;

  std::unique_ptr<AudioOutputDevice> device_;
  bool open_ = false;
  std::vector<std::unique_ptr<ModulePlayer>> music_;
  std::vector<ModulePlayer*> activeMusic_;
  std::vector<std::unique_ptr<SamplePlayer>> sfx_;
  std::vector<SamplePlayer*> activeSfx_;
  std::unique_ptr<PeriodTables> tables_;
  uint32_t musicVolume_ = 0;
  uint32_t sfxVolume_ = 0;
  uint32_t outputRate_ = 0;
  uint32_t channelsMinusOne_ = 0;
  bool sixteenBit_ = false;
  int32_t musicLeft_[kChunkFrames] = {};
  int32_t musicRight_[kChunkFrames] = {};
  int32_t sfxLeft_[kChunkFrames] = {};
  int32_t sfxRight_[kChunkFrames] = {};
  int16_t outputSamples_[2 * kChunkFrames] = {};
};

}  // namespace nv::sound
