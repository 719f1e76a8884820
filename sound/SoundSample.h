#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nv::sound {

// A PCM sound in memory: unsigned 8-bit or signed 16-bit, mono or stereo.
class SoundSample {
public:
  static constexpr int kOk = 0;
  static constexpr int kNoMemory = -10;
  static constexpr int kBadFormat = -100;
  static constexpr int kNoFormatChunk = -300;
  // Positions count frames << 8 in 32 bits.
  static constexpr uint32_t kMaxFrames = (1u << 24) - 1;

  SoundSample() = default;
  SoundSample(const SoundSample&) = delete;
  SoundSample& operator=(const SoundSample&) = delete;

  // Reads a RIFF WAVE file of size bytes: PCM 8 or 16 bit (format tag 1, or extensible
  // with the PCM sub-format), or Microsoft ADPCM (decoded at once); other codecs are
  // refused. With copy the samples are copied; otherwise bytes must outlive this sample.
  // 0, -10 null bytes, -300 no "fmt " chunk at byte 12, -100 any other refusal.
  int loadWav(const uint8_t* bytes, size_t size, bool copy);

  const uint8_t* data() const { return data_; }
  bool is8Bit() const { return eightBit_; }
  bool isStereo() const { return stereo_; }
  uint32_t sampleRate() const { return sampleRate_; }
  uint32_t lengthFrames() const { return lengthFrames_; }
  uint32_t playbackRate() const { return playbackRate_; }
  uint32_t furtherWord() const { return furtherWord_; }

  uint32_t volume() const { return volume_; }
  void setVolume(uint32_t volume) { volume_ = volume; }
  bool loop() const { return loop_; }
  void setLoop(bool loop) { loop_ = loop; }
  uint32_t panning() const { return panning_; }
  void setPanning(uint32_t panning) { panning_ = panning; }
  int32_t instanceLimit() const { return instanceLimit_; }
  void setInstanceLimit(int32_t limit) { instanceLimit_ = limit; }

private:
  void release();

  const uint8_t* data_ = nullptr;
  bool eightBit_ = true;
  bool stereo_ = false;
  uint32_t sampleRate_ = 0;
  uint32_t lengthFrames_ = 0;
  uint32_t volume_ = 64;
  bool loop_ = false;
  uint32_t panning_ = 128;
  int32_t instanceLimit_ = -1;
  uint32_t playbackRate_ = 1;
  uint32_t furtherWord_ = 128;
  std::vector<uint8_t> owned_;
};

}  // namespace nv::sound
