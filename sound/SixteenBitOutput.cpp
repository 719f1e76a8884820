#include "sound/SixteenBitOutput.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nv::sound {
namespace {

int16_t clipped(int32_t value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

void writePortable(int16_t* out, const int32_t* left, const int32_t* right, uint32_t frames, bool stereo) {
  for (uint32_t i = 0; i < frames; ++i) {
    if (stereo) {
      out[2 * i] = clipped(left[i]);
      out[2 * i + 1] = clipped(right[i]);
    } else {
      out[i] = clipped(left[i]);
    }
  }
}

#if defined(__SSE2__)
// Eight frames at a time, packing saturates to 16 bits exactly as clipped
// does; the last few frames go one by one.
void writeSse2(int16_t* out, const int32_t* left, const int32_t* right, uint32_t frames, bool stereo) {
  const auto four = [](const int32_t* from) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)); };
  const auto store = [](int16_t* to, __m128i eight) { _mm_storeu_si128(reinterpret_cast<__m128i*>(to), eight); };
  uint32_t i = 0;
  for (; i + 8 <= frames; i += 8) {
    const __m128i lefts = _mm_packs_epi32(four(left + i), four(left + i + 4));
    if (stereo) {
      const __m128i rights = _mm_packs_epi32(four(right + i), four(right + i + 4));
      store(out + 2 * i, _mm_unpacklo_epi16(lefts, rights));
      store(out + 2 * i + 8, _mm_unpackhi_epi16(lefts, rights));
    } else {
      store(out + i, lefts);
    }
  }
  writePortable(stereo ? out + 2 * i : out + i, left + i, stereo ? right + i : right, frames - i, stereo);
}
#endif

}  // namespace

std::span<const SixteenBitWriterSet> sixteenBitWriters() {
  static const SixteenBitWriterSet sets[] = {
    {"portable", writePortable},
#if defined(__SSE2__)
    {"sse2", writeSse2},
#endif
  };
  return sets;
}

SixteenBitWriter sixteenBitWriter() { return sixteenBitWriters().back().write; }

}  // namespace nv::sound
