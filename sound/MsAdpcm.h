#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sound/ByteReader.h"

namespace nv::sound {

// Microsoft ADPCM (format tag 2), decoded block by block into 16-bit samples.
class MsAdpcm {
public:
  static constexpr int kCoefficients = 7;

  struct Format {
    uint16_t channels = 0;
    uint16_t blockAlign = 0;
    uint16_t samplesPerBlock = 0;
    std::array<int16_t, kCoefficients * 2> coefficients{};
  };

  // Whether blocks of this format can be decoded without reading past a block.
  static bool valid(const Format& format);
  // Frames that dataSize bytes decode to (a trailing partial block is dropped).
  static uint64_t frames(const Format& format, uint32_t dataSize);
  // Decodes whole blocks, channels interleaved; false for a block with a bad predictor.
  static bool decode(const Format& format, const uint8_t* data, uint32_t dataSize, std::vector<int16_t>& out);
};

}  // namespace nv::sound
