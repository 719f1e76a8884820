#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "sound/SixteenBitOutput.h"

namespace nv::sound {
namespace {

// Mixed values across the whole 32-bit range, the clip bounds and their
// neighbours among them.
std::vector<int32_t> mixedValues(uint32_t count, int32_t seed) {
  const int32_t edges[] = {INT32_MIN, -32769, -32768, -32767, -1, 0, 1, 32766, 32767, 32768, INT32_MAX};
  std::vector<int32_t> values(count);
  uint32_t state = static_cast<uint32_t>(seed);
  for (uint32_t i = 0; i < count; ++i) {
    state = state * 1664525u + 1013904223u;
    values[i] =
        i % 3 == 0 ? edges[(i / 3 + state) % std::size(edges)] : static_cast<int32_t>(state) >> (i % 2 == 0 ? 14 : 0);
  }
  return values;
}

int16_t clippedReference(int32_t value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

class SixteenBitWriterTest : public testing::TestWithParam<std::size_t> {
protected:
  const SixteenBitWriterSet& set() const { return sixteenBitWriters()[GetParam()]; }
};

// Lengths the eight-frame loop never sees, ones it ends on exactly, and one
// whole mixing chunk of 512 frames; mono output never reads the right side.
TEST_P(SixteenBitWriterTest, ClipsAndInterleavesEveryLength) {
  constexpr int16_t kUntouched = 0x5A5A;
  for (const uint32_t frames : {0u, 1u, 3u, 7u, 8u, 9u, 15u, 16u, 23u, 512u}) {
    for (const bool stereo : {false, true}) {
      const std::vector<int32_t> left = mixedValues(frames, 7);
      const std::vector<int32_t> right = mixedValues(frames, 11);
      const uint32_t samples = stereo ? 2 * frames : frames;
      std::vector<int16_t> out(samples + 16, kUntouched);
      set().write(out.data(), left.data(), stereo ? right.data() : nullptr, frames, stereo);
      for (uint32_t i = 0; i < out.size(); ++i) {
        const uint32_t frame = stereo ? i / 2 : i;
        const int16_t expected = i >= samples           ? kUntouched
                                 : stereo && i % 2 == 1 ? clippedReference(right[frame])
                                                        : clippedReference(left[frame]);
        ASSERT_EQ(out[i], expected) << frames << " frames, " << (stereo ? "stereo" : "mono") << ", sample " << i;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EverySet, SixteenBitWriterTest, testing::Range<std::size_t>(0, sixteenBitWriters().size()),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                           return std::string(sixteenBitWriters()[info.param].name);
                         });

TEST(SixteenBitOutput, TheMixerRunsTheWidestSetAndThePortableOneComesFirst) {
  EXPECT_EQ(sixteenBitWriter(), sixteenBitWriters().back().write);
  EXPECT_EQ(std::string(sixteenBitWriters().front().name), "portable");
}

}  // namespace
}  // namespace nv::sound
