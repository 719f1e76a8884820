#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nv::sound {

// A MOD song in memory.
class SoundModule {
public:
  static constexpr int kOk = 0;
  static constexpr int kNoMemory = -10;
  static constexpr int kNotModule = -100;
  static constexpr size_t kHeaderSize = 1084;
  static constexpr size_t kSignatureOffset = 1080;
  static constexpr size_t kSongLengthOffset = 950;
  static constexpr size_t kRestartOffset = 951;
  static constexpr size_t kOrderOffset = 952;
  static constexpr int kOrders = 128;
  static constexpr int kSamples = 31;
  static constexpr int kDefaultRate = 44100;

  // One sample as the player uses it, cut to the bytes present.
  struct SampleInfo {
    const int8_t* data = nullptr;  // null when the sample is empty
    uint32_t length = 0;           // bytes
    uint32_t loopStart = 0;        // bytes
    uint32_t loopLength = 0;       // bytes, 0 = no loop
    uint32_t volume = 0;           // 0..64
    uint32_t finetune = 0;         // period-table row 0..15
  };

  SoundModule() = default;
  SoundModule(const SoundModule&) = delete;
  SoundModule& operator=(const SoundModule&) = delete;

  // Reads a MOD file of size bytes. With copy the song is copied; otherwise bytes
  // must outlive this module. 0, -10 null bytes, -100 not a module or too short.
  int load(const uint8_t* bytes, size_t size, bool copy);

  // Channels named by a 4-byte signature (0 = not a module).
  static int channelsFromSignature(const uint8_t* signature);

  const uint8_t* bytes() const { return bytes_; }
  size_t size() const { return size_; }
  int channelCount() const { return channels_; }
  int songLength() const { return songLength_; }
  int patternCount() const { return patterns_; }
  uint8_t order(int position) const { return bytes_[kOrderOffset + position]; }
  uint8_t restartByte() const { return bytes_[kRestartOffset]; }
  const uint8_t* patternData() const { return bytes_ + kHeaderSize; }
  // Sample 1..31; anything else is empty.
  SampleInfo sample(int number) const;

  uint32_t volume() const { return volume_; }
  void setVolume(uint32_t volume) { volume_ = volume; }
  bool loop() const { return loop_; }
  void setLoop(bool loop) { loop_ = loop; }
  uint32_t separation() const { return separation_; }
  void setSeparation(uint32_t separation) { separation_ = separation; }
  uint32_t rate() const { return rate_; }
  uint32_t tempoRate() const { return tempoRate_; }
  void setTempoRate(uint32_t tempoRate) { tempoRate_ = tempoRate; }
  uint32_t furtherWord() const { return furtherWord_; }

private:
  void release();
  uint64_t sampleBytes() const;

  const uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
  int channels_ = 0;
  int songLength_ = 0;
  int patterns_ = 0;
  uint32_t volume_ = 64;
  bool loop_ = false;
  uint32_t separation_ = 255;
  uint32_t rate_ = kDefaultRate;
  uint32_t tempoRate_ = kDefaultRate;
  uint32_t furtherWord_ = 128;
  std::vector<uint8_t> owned_;
};

}  // namespace nv::sound
