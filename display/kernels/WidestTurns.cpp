#include "display/kernels/WidestTurns.h"

#include "display/kernels/TurnRows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TDLX_WIDEST [[gnu::target("avx512f,avx512vl")]]
#define TDLX_WIDEST_INLINE [[gnu::target("avx512f,avx512vl"), gnu::always_inline]] inline
#endif

namespace tdlx {

#if defined(TDLX_WIDEST)
namespace {

TDLX_WIDEST_INLINE const __m256i* rowAt(const std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<const __m256i*>(reinterpret_cast<const std::byte*>(base) + pitch * row);
}

TDLX_WIDEST_INLINE __m256i* rowAt(std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<__m256i*>(reinterpret_cast<std::byte*>(base) + pitch * row);
}

// In each lane: columns[k] = (rows[0][k], ..., rows[7][k]), by three rounds
// of unpacks, which stay inside their lanes.
TDLX_WIDEST_INLINE void unpackLanes(const __m256i (&rows)[8], __m256i (&columns)[8]) {
  __m256i pixels[8];
  for (int r = 0; r < 8; r += 2) {
    pixels[r] = _mm256_unpacklo_epi16(rows[r], rows[r + 1]);
    pixels[r + 1] = _mm256_unpackhi_epi16(rows[r], rows[r + 1]);
  }
  __m256i pairs[8];
  for (int group = 0; group < 8; group += 4) {
    for (int h = 0; h < 2; ++h) {
      pairs[group + 2 * h] = _mm256_unpacklo_epi32(pixels[group + h], pixels[group + h + 2]);
      pairs[group + 2 * h + 1] = _mm256_unpackhi_epi32(pixels[group + h], pixels[group + h + 2]);
    }
  }
  for (int k = 0; k < 4; ++k) {
    columns[2 * k] = _mm256_unpacklo_epi64(pairs[k], pairs[k + 4]);
    columns[2 * k + 1] = _mm256_unpackhi_epi64(pairs[k], pairs[k + 4]);
  }
}

// sourceRow(m) names the source row whose pixels become pixel m of each
// destination row; destinationRow(c) the row that receives source column c.
// Register m of half h holds pixels 8h .. 8h + 7 of rows sourceRow(m) (low
// lane) and sourceRow(m + 8) (high lane): a whole row loads, and a masked
// broadcast of the other row's eight pixels replaces the lane it does not
// need, so only the unpacks use the shuffle unit.
template <typename SourceRow, typename DestinationRow>
TDLX_WIDEST_INLINE void turnByLanes(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                    std::ptrdiff_t srcPitch, SourceRow sourceRow, DestinationRow destinationRow) {
  __m256i rows[2][8];
  for (int m = 0; m < 8; ++m) {
    const __m256i* upper = rowAt(src, srcPitch, sourceRow(m));
    const __m256i* lower = rowAt(src, srcPitch, sourceRow(m + 8));
    rows[0][m] = _mm256_mask_broadcast_i32x4(
        _mm256_loadu_si256(upper), 0xF0, _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower)));
    rows[1][m] = _mm256_mask_broadcast_i32x4(
        _mm256_loadu_si256(lower), 0x0F, _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper) + 1));
  }
  for (int half = 0; half < 2; ++half) {
    __m256i columns[8];
    unpackLanes(rows[half], columns);
    for (int k = 0; k < 8; ++k) {
      _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(8 * half + k)), columns[k]);
    }
  }
}

}  // namespace

bool widestTurnsAvailable() { return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl"); }

TDLX_WIDEST void widestQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                   std::ptrdiff_t srcPitch) {
  turnByLanes(dst, dstPitch, src, srcPitch, kUpwards, kSameRow);
}

TDLX_WIDEST void widestReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                          std::ptrdiff_t srcPitch) {
  turnByLanes(dst, dstPitch, src, srcPitch, kDownwards, kMirroredRow);
}

#else

bool widestTurnsAvailable() { return false; }

void widestQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}
void widestReverseQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}

#endif

}  // namespace tdlx
