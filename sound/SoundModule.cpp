#include "sound/SoundModule.h"

#include <algorithm>
#include <new>

#include "sound/ByteReader.h"

namespace nv::sound {

namespace {

constexpr size_t kSampleHeaders = 20;
constexpr size_t kSampleHeaderSize = 30;
constexpr size_t kPatternRows = 64;
constexpr size_t kCellBytes = 4;

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

size_t sampleHeader(int number) { return kSampleHeaders + kSampleHeaderSize * (number - 1); }

}  // namespace

int SoundModule::channelsFromSignature(const uint8_t* s) {
  if (s[0] == 'M' && s[2] == 'K') {
    return 4;
  }
  if (s[1] != 'C' && s[2] != 'C') {
    return 0;
  }
  int count = isDigit(s[0]) ? s[0] - '0' : 0;
  if (isDigit(s[1])) {
    count = 10 * count + (s[1] - '0');
  }
  return count;
}

void SoundModule::release() {
  owned_.clear();
  owned_.shrink_to_fit();
  bytes_ = nullptr;
  size_ = 0;
  channels_ = 0;
  songLength_ = 0;
  patterns_ = 0;
}

uint64_t SoundModule::sampleBytes() const {
  ByteReader mod(bytes_, size_);
  uint64_t total = 0;
  for (int s = 1; s <= kSamples; ++s) {
    total += 2 * static_cast<uint64_t>(mod.be16(sampleHeader(s) + 22));
  }
  return total;
}

int SoundModule::load(const uint8_t* bytes, size_t size, bool copy) {
  release();
  if (bytes == nullptr) {
    return kNoMemory;
  }
  if (size < kHeaderSize) {
    return kNotModule;
  }
  const int channels = channelsFromSignature(bytes + kSignatureOffset);
  const int songLength = std::min<int>(bytes[kSongLengthOffset], kOrders);
  if (channels == 0 || songLength == 0) {
    return kNotModule;
  }
  int usedPatterns = 0;
  int storedPatterns = 0;
  for (int i = 0; i < kOrders; ++i) {
    int pattern = bytes[kOrderOffset + i] + 1;
    storedPatterns = std::max(storedPatterns, pattern);
    if (i < songLength) {
      usedPatterns = std::max(usedPatterns, pattern);
    }
  }
  bytes_ = bytes;
  size_ = size;
  const uint64_t patternBytes = static_cast<uint64_t>(channels) * kPatternRows * kCellBytes;
  const uint64_t samples = sampleBytes();
  // Files that store patterns numbered above the played ones hold them before the samples.
  int patterns = usedPatterns;
  if (storedPatterns > usedPatterns && size >= kHeaderSize + storedPatterns * patternBytes + samples) {
    patterns = storedPatterns;
  }
  if (size < kHeaderSize + patterns * patternBytes) {
    release();
    return kNotModule;
  }
  const size_t songSize =
      static_cast<size_t>(std::min<uint64_t>(kHeaderSize + patterns * patternBytes + samples, size));
  channels_ = channels;
  songLength_ = songLength;
  patterns_ = patterns;
  size_ = songSize;
  if (copy) {
    try {
      owned_.assign(bytes, bytes + songSize);
    } catch (const std::bad_alloc&) {
      release();
      return kNoMemory;
    }
    bytes_ = owned_.data();
  }
  rate_ = kDefaultRate;
  tempoRate_ = kDefaultRate;
  furtherWord_ = 128;
  return kOk;
}

SoundModule::SampleInfo SoundModule::sample(int number) const {
  SampleInfo info;
  if (bytes_ == nullptr || number < 1 || number > kSamples) {
    return info;
  }
  ByteReader mod(bytes_, size_);
  const size_t header = sampleHeader(number);
  uint64_t offset = kHeaderSize + static_cast<uint64_t>(patterns_) * channels_ * kPatternRows * kCellBytes;
  for (int s = 1; s < number; ++s) {
    offset += 2 * static_cast<uint64_t>(mod.be16(sampleHeader(s) + 22));
  }
  uint32_t length = 2 * static_cast<uint32_t>(mod.be16(header + 22));
  if (length == 0 || offset >= size_) {
    return info;
  }
  length = static_cast<uint32_t>(std::min<uint64_t>(length, size_ - offset));
  info.data = reinterpret_cast<const int8_t*>(bytes_ + offset);
  info.length = length;
  info.finetune = mod.u8(header + 24) & 0x0F;
  info.volume = std::min<uint32_t>(mod.u8(header + 25), 64);
  uint32_t loopStart = 2 * static_cast<uint32_t>(mod.be16(header + 26));
  uint32_t loopWords = mod.be16(header + 28);
  if (loopWords > 1 && loopStart < length) {
    info.loopStart = loopStart;
    info.loopLength = std::min(2 * loopWords, length - loopStart);
  }
  return info;
}

}  // namespace nv::sound
