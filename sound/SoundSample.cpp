#include "sound/SoundSample.h"

#include <cstring>
#include <new>

#include "sound/ByteReader.h"
#include "sound/MsAdpcm.h"

namespace nv::sound {

namespace {

constexpr size_t kFormatChunk = 12;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatAdpcm = 2;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The sub-format GUID of extensible PCM after its first two bytes (the tag).
constexpr uint8_t kPcmGuidTail[14] = {
    0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct DataChunk {
  size_t offset = 0;
  uint32_t size = 0;
};

// Walks the chunks after "fmt " (odd sizes are followed by a pad byte) up to "data";
// its size is cut to the bytes present.
bool findData(const ByteReader& wav, size_t start, DataChunk& chunk) {
  uint64_t pos = start;
  while (pos + 8 <= wav.size()) {
    uint32_t size = wav.le32(pos + 4);
    if (wav.tagIs(pos, "data")) {
      chunk.offset = pos + 8;
      uint64_t present = wav.size() - chunk.offset;
      chunk.size = static_cast<uint32_t>(size < present ? size : present);
      return true;
    }
    pos += 8 + static_cast<uint64_t>(size) + (size & 1);
  }
  return false;
}

// 8- and 16-bit samples must be plain PCM: A-law, mu-law and other codecs of
// those sizes are not sample bytes.
bool isPcm(const ByteReader& wav, size_t fmt, uint32_t fmtSize) {
  const uint16_t tag = wav.le16(fmt);
  if (tag == kFormatPcm) {
    return true;
  }
  if (tag != kFormatExtensible || fmtSize < 40) {
    return false;
  }
  return wav.le16(fmt + 24) == kFormatPcm && std::memcmp(wav.at(fmt + 26), kPcmGuidTail, sizeof kPcmGuidTail) == 0;
}

}  // namespace

void SoundSample::release() {
  owned_.clear();
  owned_.shrink_to_fit();
  data_ = nullptr;
  lengthFrames_ = 0;
}

int SoundSample::loadWav(const uint8_t* bytes, size_t size, bool copy) {
  release();
  if (bytes == nullptr) {
    return kNoMemory;
  }
  ByteReader wav(bytes, size);
  if (!wav.tagIs(kFormatChunk, "fmt ")) {
    return kNoFormatChunk;
  }
  const size_t fmt = kFormatChunk + 8;
  const uint32_t fmtSize = wav.le32(kFormatChunk + 4);
  if (fmtSize < 16 || !wav.has(fmt, fmtSize)) {
    return kBadFormat;
  }
  const uint16_t formatTag = wav.le16(fmt);
  const uint16_t channels = wav.le16(fmt + 2);
  const uint32_t rate = wav.le32(fmt + 4);
  const uint16_t blockAlign = wav.le16(fmt + 12);
  const uint16_t bits = wav.le16(fmt + 14);
  if ((bits != 4 && bits != 8 && bits != 16) || (channels != 1 && channels != 2) || rate == 0) {
    return kBadFormat;
  }

  DataChunk chunk;
  if (!findData(wav, fmt + fmtSize + (fmtSize & 1), chunk)) {
    return kBadFormat;
  }
  const uint8_t* payload = wav.at(chunk.offset);
  uint64_t frames;
  try {
    if (bits == 4) {
      MsAdpcm::Format adpcm;
      adpcm.channels = channels;
      adpcm.blockAlign = blockAlign;
      adpcm.samplesPerBlock = wav.le16(fmt + 18);
      const bool sevenPairs =
          fmtSize >= 22 + 4 * MsAdpcm::kCoefficients && wav.le16(fmt + 20) == MsAdpcm::kCoefficients;
      if (formatTag != kFormatAdpcm || !sevenPairs || !MsAdpcm::valid(adpcm)) {
        return kBadFormat;
      }
      for (int i = 0; i < 2 * MsAdpcm::kCoefficients; ++i) {
        adpcm.coefficients[i] = static_cast<int16_t>(wav.le16(fmt + 22 + 2 * i));
      }
      frames = MsAdpcm::frames(adpcm, chunk.size);
      if (frames > kMaxFrames) {
        return kBadFormat;
      }
      std::vector<int16_t> decoded;
      if (!MsAdpcm::decode(adpcm, payload, chunk.size, decoded)) {
        return kBadFormat;
      }
      owned_.resize(decoded.size() * 2);
      for (size_t i = 0; i < decoded.size(); ++i) {
        uint16_t v = static_cast<uint16_t>(decoded[i]);
        owned_[2 * i] = static_cast<uint8_t>(v & 0xFF);
        owned_[2 * i + 1] = static_cast<uint8_t>(v >> 8);
      }
      data_ = owned_.data();
      eightBit_ = false;
    } else {
      if (!isPcm(wav, fmt, fmtSize)) {
        return kBadFormat;
      }
      const uint32_t bytesPerFrame = channels * (bits / 8);
      frames = chunk.size / bytesPerFrame;
      if (frames > kMaxFrames) {
        return kBadFormat;
      }
      eightBit_ = bits == 8;
      if (copy) {
        owned_.assign(payload, payload + frames * bytesPerFrame);
        data_ = owned_.data();
      } else {
        data_ = payload;
      }
    }
  } catch (const std::bad_alloc&) {
    release();
    return kNoMemory;
  }
  stereo_ = channels == 2;
  lengthFrames_ = static_cast<uint32_t>(frames);
  sampleRate_ = rate;
  playbackRate_ = rate;
  furtherWord_ = 128;
  return kOk;
}

}  // namespace nv::sound
