#include "display/kernels/WidestTurns.h"

#include "display/kernels/TurnRows.h"

#if defined(__x86_64__) || defined(__i386__)
// GCC 12's 512-bit intrinsics fill their "undefined" operands from
// self-initialised variables, which -Wuninitialized (and, in sanitized
// builds, -Wmaybe-uninitialized) reports where they inline.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>
#define TDLX_WIDEST [[gnu::target("avx512f,avx512bw")]]
#define TDLX_WIDEST_INLINE [[gnu::target("avx512f,avx512bw"), gnu::always_inline]] inline
#endif

namespace tdlx {

#if defined(TDLX_WIDEST)
namespace {

constexpr int N = 16;

TDLX_WIDEST_INLINE const __m256i* rowAt(const std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<const __m256i*>(reinterpret_cast<const std::byte*>(base) + pitch * row);
}

TDLX_WIDEST_INLINE __m256i* rowAt(std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<__m256i*>(reinterpret_cast<std::byte*>(base) + pitch * row);
}

// sourceRow(m) names the source row whose pixels become pixel m of each
// destination row; destinationRow(c) the row that receives source column c.
// Register m holds rows sourceRow(m) and sourceRow(m + 8) as four lanes of
// eight pixels; three rounds of unpacks transpose all four lanes at once, so
// register k ends with columns k and k + 8, each split across two lanes.
template <typename SourceRow, typename DestinationRow>
TDLX_WIDEST_INLINE void turnByHalves(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                     std::ptrdiff_t srcPitch, SourceRow sourceRow, DestinationRow destinationRow) {
  __m512i rows[8];
  for (int m = 0; m < 8; ++m) {
    rows[m] = _mm512_inserti64x4(_mm512_castsi256_si512(_mm256_loadu_si256(rowAt(src, srcPitch, sourceRow(m)))),
                                 _mm256_loadu_si256(rowAt(src, srcPitch, sourceRow(m + 8))),
                                 1);
  }
  __m512i pixels[8];
  for (int r = 0; r < 8; r += 2) {
    pixels[r] = _mm512_unpacklo_epi16(rows[r], rows[r + 1]);
    pixels[r + 1] = _mm512_unpackhi_epi16(rows[r], rows[r + 1]);
  }
  __m512i pairs[8];
  for (int group = 0; group < 8; group += 4) {
    for (int h = 0; h < 2; ++h) {
      pairs[group + 2 * h] = _mm512_unpacklo_epi32(pixels[group + h], pixels[group + h + 2]);
      pairs[group + 2 * h + 1] = _mm512_unpackhi_epi32(pixels[group + h], pixels[group + h + 2]);
    }
  }
  for (int k = 0; k < 4; ++k) {
    for (int h = 0; h < 2; ++h) {
      const __m512i lanes =
          h == 0 ? _mm512_unpacklo_epi64(pairs[k], pairs[k + 4]) : _mm512_unpackhi_epi64(pairs[k], pairs[k + 4]);
      // Lanes (column, column + 8, column, column + 8) to (column, column, column + 8, column + 8).
      const __m512i columns = _mm512_shuffle_i64x2(lanes, lanes, _MM_SHUFFLE(3, 1, 2, 0));
      const int column = 2 * k + h;
      _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(column)), _mm512_castsi512_si256(columns));
      _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(column + 8)), _mm512_extracti64x4_epi64(columns, 1));
    }
  }
}

}  // namespace

bool widestTurnsAvailable() { return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"); }

TDLX_WIDEST void widestQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                   std::ptrdiff_t srcPitch) {
  turnByHalves(dst, dstPitch, src, srcPitch, kUpwards, kSameRow);
}

TDLX_WIDEST void widestReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                          std::ptrdiff_t srcPitch) {
  turnByHalves(dst, dstPitch, src, srcPitch, kDownwards, kMirroredRow);
}

#else

bool widestTurnsAvailable() { return false; }

void widestQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}
void widestReverseQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}

#endif

}  // namespace tdlx
