#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "display/kernels/FastCopy.h"

namespace tdlx {
namespace {

TEST(FastCopy, MatchesMemcpyForEverySizeAndAlignment) {
  constexpr std::size_t kGuard = 64;
  for (std::size_t size : {0, 1, 3, 4, 5, 31, 33, 1000}) {
    for (std::size_t srcOffset = 0; srcOffset < 4; ++srcOffset) {
      for (std::size_t dstOffset = 0; dstOffset < 32; ++dstOffset) {
        alignas(32) std::uint8_t src[1000 + kGuard];
        alignas(32) std::uint8_t expected[1000 + 2 * kGuard];
        alignas(32) std::uint8_t actual[1000 + 2 * kGuard];
        for (std::size_t i = 0; i < sizeof src; ++i) {
          src[i] = static_cast<std::uint8_t>(i * 37 + 11);
        }
        std::memset(expected, 0xA5, sizeof expected);
        std::memset(actual, 0xA5, sizeof actual);
        std::memcpy(expected + dstOffset, src + srcOffset, size);

        EXPECT_EQ(fastCopy(actual + dstOffset, src + srcOffset, size), actual + dstOffset);
        ASSERT_EQ(std::memcmp(actual, expected, sizeof actual), 0)
            << "size " << size << ", source offset " << srcOffset << ", destination offset " << dstOffset;
      }
    }
  }
}

}  // namespace
}  // namespace tdlx
