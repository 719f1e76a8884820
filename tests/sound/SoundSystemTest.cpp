#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "WavBuilder.h"
#include "sound/SoundSample.h"

namespace nv::sound {
namespace {

using test::makeWav;
using test::OfflineMixer;

struct LoadedSample {
  LoadedSample(int bits, int channels, uint32_t rate, const std::vector<int>& samples)
      : bytes(makeWav(bits, channels, rate, samples)) {
    EXPECT_EQ(sample.loadWav(bytes.data(), bytes.size(), false), 0);
  }
  std::vector<uint8_t> bytes;
  SoundSample sample;
};

TEST(SoundSystem, OpenClampsChannelCountsAndRefusesASecondOpen) {
  OfflineMixer mixer(44100, 16, 1, 0, 200);
  ASSERT_EQ(mixer.openResult(), 0);
  SoundSystem& system = mixer.system();
  EXPECT_EQ(system.musicChannelCount(), 1);
  EXPECT_EQ(system.sfxChannelCount(), 128);
  EXPECT_EQ(system.getMusicVolume(), 64u);
  EXPECT_EQ(system.getSfxVolume(), 64u);
  EXPECT_EQ(system.open(22050, 8, 0, 4, 8), -2);
  EXPECT_EQ(system.outputRate(), 44100u);
  EXPECT_EQ(system.getChannel(-1), nullptr);
  EXPECT_EQ(system.getChannel(129), nullptr);
  EXPECT_NE(system.getChannel(128), nullptr);
}

TEST(SoundSystem, RefusesRatesOfZeroAndBelow) {
  test::ManualDriverScope scope;
  for (int rate : {0, -1, 100}) {
    SoundSystem system;
    EXPECT_EQ(system.open(rate, 16, 1, 4, 8), -1) << rate;
    EXPECT_FALSE(system.isOpen());
    EXPECT_FALSE(scope.driver().isOpen());
  }
}

TEST(SoundSystem, SilenceWhenNothingPlays) {
  OfflineMixer eight(22050, 8, 1);
  for (uint8_t b : eight.render8(64)) {
    ASSERT_EQ(b, 0x80);
  }
  OfflineMixer sixteen(22050, 16, 1);
  for (int16_t s : sixteen.render16(64)) {
    ASSERT_EQ(s, 0);
  }
}

TEST(SoundSystem, MixesSfxWithTheVolumeAndPanningRules) {
  struct Case {
    const char* what;
    int stereoOut;
    int pan;
    int groupVolume;
    int16_t left;
    int16_t right;
  };
  // One 16-bit sample of 32767: v * s >> 7 at the centre, w = 2v split by the pan elsewhere.
  for (const Case& c : {Case{"mono centre", 0, 128, 64, 16383, 0},
                        Case{"stereo centre", 1, 128, 64, 16383, 16383},
                        Case{"hard right", 1, 255, 64, 255, 32511},
                        Case{"hard left", 1, 0, 64, 32767, 0},
                        Case{"half group volume", 1, 128, 32, 8191, 8191},
                        Case{"group -1 is 64", 1, 128, -1, 16383, 16383}}) {
    SCOPED_TRACE(c.what);
    OfflineMixer mixer(44100, 16, c.stereoOut);
    LoadedSample s(16, 1, 44100, {32767, 32767, 32767, 32767});
    s.sample.setPanning(static_cast<uint32_t>(c.pan));
    mixer.system().setSfxVolume(c.groupVolume);
    ASSERT_GE(mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel), 1);
    std::vector<int16_t> out = mixer.render16(c.stereoOut ? 4 : 2);
    EXPECT_EQ(out[0], c.left);
    if (c.stereoOut) {
      EXPECT_EQ(out[1], c.right);
    }
  }
}

TEST(SoundSystem, ClipsInsteadOfWrapping) {
  for (int value : {32767, -32768}) {
    OfflineMixer mixer(44100, 16, 0);
    LoadedSample s(16, 1, 44100, {value, value});
    for (int i = 0; i < 3; ++i) {
      ASSERT_GE(mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel), 0);
    }
    EXPECT_EQ(mixer.render16(1)[0], value > 0 ? 32767 : -32768);
  }
}

TEST(SoundSystem, EightBitOutputAndSamples) {
  OfflineMixer mixer(44100, 8, 0);
  LoadedSample s(8, 1, 44100, {255, 0});
  ASSERT_GE(mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel), 0);
  std::vector<uint8_t> out = mixer.render8(3);
  // (255 - 128) * 256 * 64 >> 7 = 16256, >> 8 = 63; (0 - 128) * 256 * 64 >> 7 >> 8 = -64.
  EXPECT_EQ(out[0], 191);
  EXPECT_EQ(out[1], 64);
  EXPECT_EQ(out[2], 128);  // ended: the channel stopped
}

TEST(SoundSystem, StereoSamplePannedAddsBothSidesToEachOutput) {
  struct Case {
    int pan;
    int16_t left;
    int16_t right;
  };
  // w = 128: pan 255 gives r = 127, l = 1; pan 64 gives r = 32, l = 96; both sides add up to 3000.
  for (const Case& c : {Case{255, 1 * 3000 >> 7, 127 * 3000 >> 7}, Case{64, 96 * 3000 >> 7, 32 * 3000 >> 7}}) {
    SCOPED_TRACE(c.pan);
    OfflineMixer mixer(44100, 16, 1);
    LoadedSample s(16, 2, 44100, {1000, 2000});
    s.sample.setPanning(static_cast<uint32_t>(c.pan));
    ASSERT_GE(mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel), 0);
    std::vector<int16_t> out = mixer.render16(2);
    EXPECT_EQ(out[0], c.left);
    EXPECT_EQ(out[1], c.right);
  }
}

TEST(SoundSystem, SfxStepFollowsThePlaybackRate) {
  // Frame values 0, 100, 200, ...: the output shows which frame each step read.
  std::vector<int> ramp;
  for (int i = 0; i < 64; ++i) {
    ramp.push_back(i * 128);
  }
  struct Case {
    uint32_t rate;
    std::vector<int> frames;
  };
  // 22050 on 44100: step 128 (half a frame); 96000: step 557, computed without overflow.
  for (const Case& c : {Case{22050, {0, 0, 1, 1, 2}}, Case{96000, {0, 2, 4, 6, 8, 10, 13}}}) {
    SCOPED_TRACE(c.rate);
    OfflineMixer mixer(44100, 16, 0);
    LoadedSample s(16, 1, c.rate, ramp);
    ASSERT_GE(mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel), 0);
    std::vector<int16_t> out = mixer.render16(static_cast<uint32_t>(c.frames.size()));
    for (size_t i = 0; i < c.frames.size(); ++i) {
      EXPECT_EQ(out[i], (c.frames[i] * 128 * 64) >> 7) << i;
    }
  }
}

TEST(SoundSystem, LoopedSampleWrapsAndUnloopedOneStops) {
  OfflineMixer mixer(44100, 16, 0);
  LoadedSample looped(16, 1, 44100, {256, 512, 768});
  looped.sample.setLoop(true);
  int handle = mixer.system().playSample(&looped.sample, SoundSystem::kFreeChannel);
  ASSERT_GE(handle, 0);
  std::vector<int16_t> out = mixer.render16(7);
  EXPECT_EQ(out, (std::vector<int16_t>{128, 256, 384, 128, 256, 384, 128}));
  SoundChannel* channel = mixer.system().getChannel(handle);
  EXPECT_TRUE(channel->isPlaying());
  channel->setLooping(false);
  mixer.render16(3);
  EXPECT_FALSE(channel->isPlaying());
}

TEST(SoundSystem, ChoosesChannelsAndHonoursInstanceLimits) {
  OfflineMixer mixer(44100, 16, 0, 2, 8);
  SoundSystem& system = mixer.system();
  LoadedSample s(16, 1, 44100, std::vector<int>(1000, 1));
  s.sample.setInstanceLimit(2);
  int first = system.playSample(&s.sample, SoundSystem::kFreeChannel);
  int second = system.playSample(&s.sample, SoundSystem::kFreeChannel);
  EXPECT_EQ(system.playSample(&s.sample, SoundSystem::kFreeChannel), SoundSystem::kNoChannel);
  // With a limit the scan takes the last free channel.
  EXPECT_EQ(first, 2 + 7);
  EXPECT_EQ(second, 2 + 6);
  // An index names the channel: busy, out of range, or free and started paused.
  LoadedSample other(16, 1, 44100, std::vector<int>(1000, 1));
  EXPECT_EQ(system.playSample(&other.sample, 7), SoundSystem::kNoChannel);
  EXPECT_EQ(system.playSample(&other.sample, 8), SoundSystem::kNoChannel);
  int paused = system.playSample(&other.sample, 3 | SoundSystem::kStartPaused);
  EXPECT_EQ(paused, 2 + 3);
  SoundChannel* channel = system.getChannel(paused);
  EXPECT_FALSE(channel->isPlaying());
  channel->resume();
  EXPECT_TRUE(channel->isPlaying());
  system.stopAllSamples();
  EXPECT_FALSE(channel->isPlaying());
  EXPECT_TRUE(channel->isFree());
}

TEST(SoundSystem, SamplePositionUnits) {
  OfflineMixer mixer(44100, 16, 0);
  LoadedSample s(16, 2, 44100, std::vector<int>(2000, 1));
  int handle = mixer.system().playSample(&s.sample, SoundSystem::kFreeChannel);
  SoundChannel* channel = mixer.system().getChannel(handle);
  EXPECT_EQ(channel->getLength(), 250);  // 1000 frames << 8 >> 10
  mixer.render16(100);
  EXPECT_EQ(channel->getPosition(), 100 * 256 >> 10);
  channel->setPosition(0);
  EXPECT_EQ(channel->getPosition(), 0);
  channel->setPanning(300);
  EXPECT_EQ(channel->panning(), 255u);
  channel->setVolume(-1);
  EXPECT_EQ(channel->volume(), 64u);
}

TEST(SoundSystem, NotOpenRefusesEverything) {
  SoundSystem system;
  LoadedSample s(16, 1, 44100, {1});
  EXPECT_EQ(system.playSample(&s.sample, SoundSystem::kFreeChannel), SoundSystem::kNoChannel);
  system.stopAllSamples();
  system.pause();
  system.resume();
  EXPECT_EQ(system.getChannel(0), nullptr);
  EXPECT_EQ(system.close(), 0);
}

}  // namespace
}  // namespace nv::sound
