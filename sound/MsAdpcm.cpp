#include "sound/MsAdpcm.h"

#include <algorithm>

namespace nv::sound {

namespace {

constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
constexpr int64_t kMinDelta = 16;
constexpr int64_t kMaxDelta = int64_t{1} << 40;

// Wide enough that hostile headers cannot overflow; valid streams stay far below the cap.
struct ChannelState {
  int64_t coef1 = 0;
  int64_t coef2 = 0;
  int64_t delta = 0;
  int64_t sample1 = 0;
  int64_t sample2 = 0;

  int16_t expand(int nibble) {
    int64_t signedNibble = nibble >= 8 ? nibble - 16 : nibble;
    // Arithmetic shift (rounds down), as the common decoders do.
    int64_t predicted = ((sample1 * coef1 + sample2 * coef2) >> 8) + signedNibble * delta;
    predicted = std::clamp<int64_t>(predicted, -32768, 32767);
    sample2 = sample1;
    sample1 = predicted;
    delta = std::clamp<int64_t>(kAdaptation[nibble] * delta / 256, kMinDelta, kMaxDelta);
    return static_cast<int16_t>(predicted);
  }
};

}  // namespace

bool MsAdpcm::valid(const Format& format) {
  int channels = format.channels;
  if (channels < 1 || channels > 2 || format.samplesPerBlock < 2) {
    return false;
  }
  int headerBytes = 7 * channels;
  if (format.blockAlign <= headerBytes) {
    return false;
  }
  return format.samplesPerBlock <= 2 + 2 * (format.blockAlign - headerBytes) / channels;
}

uint64_t MsAdpcm::frames(const Format& format, uint32_t dataSize) {
  return static_cast<uint64_t>(dataSize / format.blockAlign) * format.samplesPerBlock;
}

bool MsAdpcm::decode(const Format& format, const uint8_t* data, uint32_t dataSize, std::vector<int16_t>& out) {
  const int channels = format.channels;
  const uint32_t blocks = dataSize / format.blockAlign;
  out.clear();
  out.reserve(static_cast<size_t>(blocks) * format.samplesPerBlock * channels);
  for (uint32_t b = 0; b < blocks; ++b) {
    ByteReader block(data + static_cast<size_t>(b) * format.blockAlign, format.blockAlign);
    ChannelState state[2];
    for (int c = 0; c < channels; ++c) {
      int predictor = block.u8(c);
      if (predictor >= kCoefficients) {
        return false;
      }
      state[c].coef1 = format.coefficients[predictor * 2];
      state[c].coef2 = format.coefficients[predictor * 2 + 1];
      state[c].delta = static_cast<int16_t>(block.le16(channels + 2 * c));
      state[c].sample1 = static_cast<int16_t>(block.le16(3 * channels + 2 * c));
      state[c].sample2 = static_cast<int16_t>(block.le16(5 * channels + 2 * c));
    }
    for (int c = 0; c < channels; ++c) {
      out.push_back(static_cast<int16_t>(state[c].sample2));
    }
    for (int c = 0; c < channels; ++c) {
      out.push_back(static_cast<int16_t>(state[c].sample1));
    }
    const int nibbles = (format.samplesPerBlock - 2) * channels;
    size_t offset = 7 * channels;
    for (int n = 0; n < nibbles; ++n) {
      uint8_t byte = block.u8(offset + n / 2);
      int nibble = (n % 2 == 0) ? byte >> 4 : byte & 0x0F;
      out.push_back(state[n % channels].expand(nibble));
    }
  }
  return true;
}

}  // namespace nv::sound
