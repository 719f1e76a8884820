#pragma once

#include <array>
#include <cstdint>

#include "sound/SoundChannel.h"
#include "sound/SoundModule.h"

namespace nv::sound {

class PeriodTables;

// A music channel: sequences one MOD song over up to 32 tracker channels.
class ModulePlayer : public SoundChannel {
public:
  static constexpr int kMaxChannels = 32;
  static constexpr uint32_t kNone = 0xFFFFFF;
  static constexpr uint32_t kStartTicksPerSecond = 50;
  static constexpr uint32_t kStartSpeed = 6;
  // The tempo rate that plays a song at its own tempo.
  static constexpr uint32_t kOwnTempo = 44100;

  explicit ModulePlayer(SoundSystem* owner);

  void setVolume(int volume) override;
  void setPanning(int panning) override;
  // Current pattern * 64 + row.
  int getPosition() override;
  // Order (position >> 6) and row (position & 63); negative or past the song: nothing.
  void setPosition(int position) override;
  // Song length * 64.
  int getLength() override;

  // Under the device lock: the first row of a song is due on the next frame.
  void startSong(const SoundModule& module, const PeriodTables& tables, uint32_t outputRate);
  // Under the device lock: advances the song frame by frame and adds its output.
  void render(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut);

private:
  static constexpr int32_t kDelayNone = INT32_MIN;

  struct Track {
    uint32_t noteIndex = 0;
    uint32_t period = 0;
    uint32_t sample = 0;
    uint32_t step = 0;
    int32_t volume = 0;
    uint32_t mixVolume = 0;
    uint32_t effect = 0;
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t parameter = 0;
    uint32_t position = 0;
    uint32_t pan = 0;
    int32_t slideAmount = 0;
    int32_t slidePeriod = 0;
    uint32_t portaTarget = 0;
    uint32_t portaSpeed = 0;
    uint32_t arpeggioIndex = 0;
    std::array<uint32_t, 3> arpeggioSteps{};
    uint32_t vibratoPosition = 0;
    uint32_t vibratoSpeed = 9;
    uint32_t vibratoDepth = 2;
    int32_t delayCounter = kDelayNone;
    uint32_t delayedPeriod = 0;
    uint32_t cutCounter = 0;
    uint32_t offsetMemory = 0;
    uint8_t loopCounter = 0;
    uint32_t loopStart = 0;  // a row offset: rows * channels does not fit a byte
  };

  // Lengths and positions in bytes << 12.
  struct Sample {
    const int8_t* data = nullptr;
    uint32_t length = 0;
    uint32_t loopStart = 0;
    uint32_t loopLength = 0;
    uint32_t volume = 0;
    uint32_t finetune = 0;
  };

  void advanceFrame();
  void computeSamplesPerTick();
  void playRow();
  void playCell(Track& track, const uint8_t* cell);
  void patternLoop(Track& track);
  void advanceRow();
  void tickEffects(Track& track);
  void trigger(Track& track, uint32_t period);
  void slideVolume(Track& track);
  void setTrackVolume(Track& track, int32_t volume);
  void jump(uint32_t order, uint32_t rowOffset);
  void mixTracks(int32_t* left, int32_t* right, uint32_t frames, bool stereoOut);
  uint32_t finetunedPeriod(uint32_t cellPeriod, const Track& track) const;

  const SoundModule* module_ = nullptr;
  const PeriodTables* tables_ = nullptr;
  uint32_t outputRate_ = 0;
  const uint8_t* patternData_ = nullptr;
  uint32_t channels_ = 0;
  uint32_t songLength_ = 0;
  uint32_t currentPattern_ = 0;
  uint32_t rowOffset_ = 0;
  uint32_t orderPosition_ = 0;
  uint32_t restartPosition_ = 0;
  uint32_t samplesPerTick_ = 0;
  uint32_t sampleCounter_ = 0;
  uint32_t speed_ = kStartSpeed;
  uint32_t tick_ = kStartSpeed;
  std::array<Track, kMaxChannels> tracks_{};
  std::array<Sample, kMaxChannels> samples_{};
  uint32_t jumpOrder_ = kNone;
  uint32_t jumpRow_ = kNone;
  uint32_t patternDelay_ = 0;
  uint32_t ticksPerSecond_ = kStartTicksPerSecond;
};

}  // namespace nv::sound
