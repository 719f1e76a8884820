#include "display/kernels/ReversedCopy.h"

#include "display/kernels/WideTurns.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tdlx {
namespace {

void portableCopyReversed(std::uint16_t* out, const std::uint16_t* last, std::int32_t count) {
  for (std::int32_t x = 0; x < count; ++x) {
    out[x] = last[-x];
  }
}

#if defined(__SSE2__)
// Sixteen and then eight pixels at a time; the last few go one by one.
void sse2CopyReversed(std::uint16_t* out, const std::uint16_t* last, std::int32_t count) {
  const auto reversed = [](__m128i pixels) {
    pixels = _mm_shufflelo_epi16(pixels, _MM_SHUFFLE(0, 1, 2, 3));
    pixels = _mm_shufflehi_epi16(pixels, _MM_SHUFFLE(0, 1, 2, 3));
    return _mm_shuffle_epi32(pixels, _MM_SHUFFLE(1, 0, 3, 2));
  };
  std::int32_t x = 0;
  for (; x + 16 <= count; x += 16) {
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last - x - 7));
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(last - x - 15));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), reversed(high));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 8), reversed(low));
  }
  for (; x + 8 <= count; x += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     reversed(_mm_loadu_si128(reinterpret_cast<const __m128i*>(last - x - 7))));
  }
  portableCopyReversed(out + x, last - x, count - x);
}
#endif

}  // namespace

std::span<const ReversedCopySet> reversedCopySets() {
  static const ReversedCopySet sets[] = {
    {"portable", true, portableCopyReversed},
#if defined(__SSE2__)
    {"sse2", true, sse2CopyReversed},
#endif
    {"avx2", wideTurnsAvailable(), wideCopyReversed},
  };
  return sets;
}

ReversedCopy reversedCopyKernel() {
  static const ReversedCopy chosen = [] {
    ReversedCopy widest = nullptr;
    for (const ReversedCopySet& set : reversedCopySets()) {
      if (set.available) widest = set.copy;
    }
    return widest;
  }();
  return chosen;
}

}  // namespace tdlx
