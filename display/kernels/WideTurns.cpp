#include "display/kernels/WideTurns.h"

#include <initializer_list>

#include "display/kernels/TurnRows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TDLX_WIDE [[gnu::target("avx2")]]
#define TDLX_WIDE_INLINE [[gnu::target("avx2"), gnu::always_inline]] inline
#endif

namespace tdlx {

#if defined(TDLX_WIDE)
namespace {

TDLX_WIDE_INLINE const std::uint16_t* rowAt(const std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::byte*>(base) + pitch * row);
}

TDLX_WIDE_INLINE __m256i* rowAt(std::uint16_t* base, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<__m256i*>(reinterpret_cast<std::byte*>(base) + pitch * row);
}

// Low lane from low, high lane from high: eight pixels each.
TDLX_WIDE_INLINE __m256i loadLanes(const std::uint16_t* low, const std::uint16_t* high) {
  return _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(high), reinterpret_cast<const __m128i*>(low));
}

// end[0], end[-1], ..., end[-15]: the halves load into swapped lanes, then
// each lane turns round.
TDLX_WIDE_INLINE __m256i reversedPixels(const std::uint16_t* end, __m256i reverseWords) {
  return _mm256_shuffle_epi8(loadLanes(end - 7, end - 15), reverseWords);
}

TDLX_WIDE_INLINE void storePixels(std::uint16_t* at, __m256i pixels) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), pixels);
}

// In each lane: columns[k] = (rows[0][k], ..., rows[7][k]). Three rounds
// swap the off-diagonal blocks of one, two and four pixels; the middle round
// shifts and blends on any vector port instead of the one shuffle port.
TDLX_WIDE_INLINE void transposeLanes(const __m256i (&rows)[8], __m256i (&columns)[8]) {
  for (int r = 0; r < 8; ++r) columns[r] = rows[r];
  for (int r = 0; r < 8; r += 2) {
    const __m256i a = columns[r];
    const __m256i b = columns[r + 1];
    columns[r] = _mm256_blend_epi16(a, _mm256_slli_epi32(b, 16), 0xAA);
    columns[r + 1] = _mm256_blend_epi16(_mm256_srli_epi32(a, 16), b, 0xAA);
  }
  for (int r : {0, 1, 4, 5}) {
    const __m256i a = columns[r];
    const __m256i b = columns[r + 2];
    columns[r] = _mm256_blend_epi32(a, _mm256_slli_epi64(b, 32), 0xAA);
    columns[r + 2] = _mm256_blend_epi32(_mm256_srli_epi64(a, 32), b, 0xAA);
  }
  for (int r = 0; r < 4; ++r) {
    const __m256i a = columns[r];
    const __m256i b = columns[r + 4];
    columns[r] = _mm256_blend_epi32(a, _mm256_bslli_epi128(b, 8), 0xCC);
    columns[r + 4] = _mm256_blend_epi32(_mm256_bsrli_epi128(a, 8), b, 0xCC);
  }
}

// sourceRow(m) names the source row whose pixels become pixel m of each
// destination row; destinationRow(c) the row that receives source column c.
template <typename SourceRow, typename DestinationRow>
TDLX_WIDE_INLINE void turnByLanes(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                  std::ptrdiff_t srcPitch, SourceRow sourceRow, DestinationRow destinationRow) {
  __m256i rows[2][8];
  for (int m = 0; m < 8; ++m) {
    const std::uint16_t* low = rowAt(src, srcPitch, sourceRow(m));
    const std::uint16_t* high = rowAt(src, srcPitch, sourceRow(m + 8));
    rows[0][m] = loadLanes(low, high);
    rows[1][m] = loadLanes(low + 8, high + 8);
  }
  for (int half = 0; half < 2; ++half) {
    __m256i columns[8];
    transposeLanes(rows[half], columns);
    for (int k = 0; k < 8; ++k) {
      _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(8 * half + k)), columns[k]);
    }
  }
}

template <typename SourceRow, typename DestinationRow>
TDLX_WIDE_INLINE void turnByRows(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                 std::ptrdiff_t srcPitch, SourceRow sourceRow, DestinationRow destinationRow) {
  __m256i upper[8];
  __m256i lower[8];
  for (int m = 0; m < 8; ++m) {
    upper[m] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowAt(src, srcPitch, sourceRow(m))));
  }
  for (int m = 0; m < 8; ++m) {
    lower[m] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowAt(src, srcPitch, sourceRow(m + 8))));
  }
  __m256i upperColumns[8];
  __m256i lowerColumns[8];
  transposeLanes(upper, upperColumns);
  transposeLanes(lower, lowerColumns);
  for (int k = 0; k < 8; ++k) {
    _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(k)),
                        _mm256_permute2x128_si256(upperColumns[k], lowerColumns[k], 0x20));
  }
  for (int k = 0; k < 8; ++k) {
    _mm256_storeu_si256(rowAt(dst, dstPitch, destinationRow(k + 8)),
                        _mm256_permute2x128_si256(upperColumns[k], lowerColumns[k], 0x31));
  }
}

}  // namespace

bool wideTurnsAvailable() { return __builtin_cpu_supports("avx2"); }

TDLX_WIDE void wideCopyReversed(std::uint16_t* out, const std::uint16_t* last, std::int32_t count) {
  const __m256i reverseWords = _mm256_setr_epi8(
      14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1, 14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
  if (count < 16) {
    for (std::int32_t x = 0; x < count; ++x) {
      out[x] = last[-x];
    }
    return;
  }
  // The first and last sixteen pixels go unaligned; the stores between them
  // start on 32-byte boundaries and overlap the ends with the same pixels.
  storePixels(out, reversedPixels(last, reverseWords));
  std::int32_t x = static_cast<std::int32_t>(32 - (reinterpret_cast<std::uintptr_t>(out) & 31)) / 2;
  for (; x + 32 <= count; x += 32) {
    const __m256i first = reversedPixels(last - x, reverseWords);
    const __m256i second = reversedPixels(last - x - 16, reverseWords);
    storePixels(out + x, first);
    storePixels(out + x + 16, second);
  }
  for (; x + 16 <= count; x += 16) {
    storePixels(out + x, reversedPixels(last - x, reverseWords));
  }
  if (x < count) {
    storePixels(out + count - 16, reversedPixels(last - (count - 16), reverseWords));
  }
}

TDLX_WIDE void wideQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                               std::ptrdiff_t srcPitch) {
  turnByLanes(dst, dstPitch, src, srcPitch, kUpwards, kSameRow);
}

TDLX_WIDE void wideReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                      std::ptrdiff_t srcPitch) {
  turnByLanes(dst, dstPitch, src, srcPitch, kDownwards, kMirroredRow);
}

TDLX_WIDE void wideRowQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                  std::ptrdiff_t srcPitch) {
  turnByRows(dst, dstPitch, src, srcPitch, kUpwards, kSameRow);
}

TDLX_WIDE void wideRowReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                                         std::ptrdiff_t srcPitch) {
  turnByRows(dst, dstPitch, src, srcPitch, kDownwards, kMirroredRow);
}

#else

bool wideTurnsAvailable() { return false; }

void wideCopyReversed(std::uint16_t*, const std::uint16_t*, std::int32_t) {}
void wideQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}
void wideReverseQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}
void wideRowQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}
void wideRowReverseQuarterTurn(std::uint16_t*, std::ptrdiff_t, const std::uint16_t*, std::ptrdiff_t) {}

#endif

}  // namespace tdlx
