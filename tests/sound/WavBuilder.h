#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nv::sound::test {

// A minimal RIFF WAVE file of PCM samples (8-bit values are unsigned bytes).
inline void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

inline std::vector<uint8_t> makeWav(int bits, int channels, uint32_t rate, const std::vector<int>& samples,
                                    const std::vector<uint8_t>& extraChunk = {}) {
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  putLe(out, 16, 4);
  putLe(out, 1, 2);
  putLe(out, channels, 2);
  putLe(out, rate, 4);
  putLe(out, rate * channels * bits / 8, 4);
  putLe(out, channels * bits / 8, 2);
  putLe(out, bits, 2);
  out.insert(out.end(), extraChunk.begin(), extraChunk.end());
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  putLe(out, static_cast<uint32_t>(samples.size() * bits / 8), 4);
  for (int s : samples) {
    putLe(out, static_cast<uint32_t>(s), bits / 8);
  }
  uint32_t riff = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) {
    out[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  }
  return out;
}

}  // namespace nv::sound::test
