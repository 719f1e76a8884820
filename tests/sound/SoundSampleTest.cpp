#include <cstring>
#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "WavBuilder.h"
#include "sound/SoundSample.h"

namespace nv::sound {
namespace {

using test::dataPath;
using test::makeWav;
using test::readFile;

TEST(SoundSample, ReadsPcmFilesMadeBySox) {
  struct Case {
    const char* wav;
    const char* raw;
    bool eightBit;
    bool stereo;
    uint32_t rate;
  };
  for (const Case& c : {Case{"pcm16_mono.wav", "pcm16_mono.raw", false, false, 22050},
                        Case{"pcm8_stereo.wav", "pcm8_stereo.raw", true, true, 11025}}) {
    SCOPED_TRACE(c.wav);
    std::vector<uint8_t> wav = readFile(dataPath(c.wav));
    std::vector<uint8_t> raw = readFile(dataPath(c.raw));
    ASSERT_FALSE(wav.empty());
    SoundSample sample;
    ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), true), 0);
    EXPECT_EQ(sample.is8Bit(), c.eightBit);
    EXPECT_EQ(sample.isStereo(), c.stereo);
    EXPECT_EQ(sample.sampleRate(), c.rate);
    EXPECT_EQ(sample.playbackRate(), c.rate);
    uint32_t frameBytes = (c.eightBit ? 1 : 2) * (c.stereo ? 2 : 1);
    ASSERT_EQ(sample.lengthFrames() * frameBytes, raw.size());
    EXPECT_EQ(std::memcmp(sample.data(), raw.data(), raw.size()), 0);
    EXPECT_NE(sample.data(), wav.data() + wav.size() - raw.size());  // copied
  }
}

TEST(SoundSample, KeepsCallerBytesWithoutCopy) {
  std::vector<uint8_t> wav = readFile(dataPath("pcm16_mono.wav"));
  SoundSample sample;
  ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), false), 0);
  EXPECT_EQ(sample.data(), wav.data() + 44);
}

TEST(SoundSample, DecodesMsAdpcmLikeSox) {
  for (const char* name : {"adpcm_mono", "adpcm_stereo"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> wav = readFile(dataPath(std::string(name) + ".wav"));
    std::vector<uint8_t> ref = readFile(dataPath(std::string(name) + "_ref.raw"));
    SoundSample sample;
    ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), false), 0);
    EXPECT_FALSE(sample.is8Bit());
    uint32_t channels = sample.isStereo() ? 2 : 1;
    ASSERT_EQ(sample.lengthFrames() * channels * 2, ref.size());
    int worst = 0;
    for (size_t i = 0; i < ref.size() / 2; ++i) {
      int16_t ours = static_cast<int16_t>(sample.data()[2 * i] | sample.data()[2 * i + 1] << 8);
      int16_t theirs = static_cast<int16_t>(ref[2 * i] | ref[2 * i + 1] << 8);
      worst = std::max(worst, std::abs(ours - theirs));
    }
    EXPECT_LE(worst, 1);
  }
}

// Files made by make_codec_wavs.sh: only PCM loads as sample bytes.
TEST(SoundSample, LoadsPcmOnlyAmongEightAndSixteenBitCodecs) {
  std::vector<uint8_t> plain = readFile(dataPath("pcm16_plain.wav"));
  SoundSample reference;
  ASSERT_EQ(reference.loadWav(plain.data(), plain.size(), true), 0);
  for (const char* name : {"alaw.wav", "ulaw.wav"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> wav = readFile(dataPath(name));
    ASSERT_FALSE(wav.empty());
    SoundSample sample;
    EXPECT_EQ(sample.loadWav(wav.data(), wav.size(), true), -100);
    EXPECT_EQ(sample.lengthFrames(), 0u);
  }
  std::vector<uint8_t> extensible = readFile(dataPath("pcm16_extensible.wav"));
  SoundSample sample;
  ASSERT_EQ(sample.loadWav(extensible.data(), extensible.size(), true), 0);
  EXPECT_FALSE(sample.is8Bit());
  EXPECT_TRUE(sample.isStereo());
  ASSERT_EQ(sample.lengthFrames(), reference.lengthFrames());
  EXPECT_EQ(std::memcmp(sample.data(), reference.data(), reference.lengthFrames() * 4), 0);
  std::vector<uint8_t> otherSubFormat = extensible;
  otherSubFormat.at(44) = 3;  // IEEE float
  EXPECT_EQ(sample.loadWav(otherSubFormat.data(), otherSubFormat.size(), true), -100);
}

TEST(SoundSample, RefusesDamagedFiles) {
  std::vector<uint8_t> good = makeWav(16, 1, 8000, {1, 2, 3, 4});
  auto with = [&](size_t at, uint32_t value, int bytes) {
    std::vector<uint8_t> w = good;
    for (int i = 0; i < bytes; ++i) {
      w.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
    return w;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int expected;
  };
  std::vector<uint8_t> noData = good;
  noData.at(36) = 'j';
  std::vector<Case> cases = {
      {"no fmt chunk at 12", with(12, 0x20202020, 4), -300},
      {"too short for fmt", std::vector<uint8_t>(good.begin(), good.begin() + 14), -300},
      {"fmt runs past the end", std::vector<uint8_t>(good.begin(), good.begin() + 30), -100},
      {"12 bits", with(34, 12, 2), -100},
      {"3 channels", with(22, 3, 2), -100},
      {"rate 0", with(24, 0, 4), -100},
      {"no data chunk", noData, -100},
      {"huge chunk size", with(40, 0xFFFFFFF0u, 4), 0},
      {"4-bit PCM tag", with(34, 4, 2), -100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SoundSample sample;
    EXPECT_EQ(sample.loadWav(c.bytes.data(), c.bytes.size(), true), c.expected);
  }
  SoundSample sample;
  EXPECT_EQ(sample.loadWav(nullptr, 0, true), -10);
}

TEST(SoundSample, CutsDataToTheBytesPresent) {
  std::vector<uint8_t> wav = makeWav(16, 1, 8000, {1, 2, 3, 4});
  wav.resize(wav.size() - 3);  // half a sample missing at the end
  SoundSample sample;
  ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), false), 0);
  EXPECT_EQ(sample.lengthFrames(), 2u);
}

TEST(SoundSample, SkipsThePadByteOfOddChunks) {
  std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  std::vector<uint8_t> wav = makeWav(8, 1, 8000, {10, 20, 30}, list);
  SoundSample sample;
  ASSERT_EQ(sample.loadWav(wav.data(), wav.size(), true), 0);
  ASSERT_EQ(sample.lengthFrames(), 3u);
  EXPECT_EQ(sample.data()[0], 10);
}

class AdpcmHeader : public ::testing::Test {
protected:
  void SetUp() override { wav_ = readFile(dataPath("adpcm_mono.wav")); }
  int load(size_t at, uint16_t value) {
    std::vector<uint8_t> w = wav_;
    w[at] = static_cast<uint8_t>(value);
    w[at + 1] = static_cast<uint8_t>(value >> 8);
    SoundSample sample;
    return sample.loadWav(w.data(), w.size(), false);
  }
  std::vector<uint8_t> wav_;
};

TEST_F(AdpcmHeader, RefusesBlocksThatCannotBeDecodedSafely) {
  EXPECT_EQ(load(32, 0), -100);     // block align 0
  EXPECT_EQ(load(38, 2000), -100);  // more samples per block than a block holds
  EXPECT_EQ(load(40, 6), -100);     // not 7 coefficient pairs
  EXPECT_EQ(load(20, 1), -100);     // 4 bits, but not the ADPCM tag
  size_t data = 0;
  for (size_t i = 12; i + 4 < wav_.size(); ++i) {
    if (std::memcmp(&wav_[i], "data", 4) == 0) {
      data = i + 8;
      break;
    }
  }
  ASSERT_NE(data, 0u);
  EXPECT_EQ(load(data, 9), -100);  // predictor index beyond the table
  EXPECT_EQ(load(38, 1012), 0);
}

}  // namespace
}  // namespace nv::sound
