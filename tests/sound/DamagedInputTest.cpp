#include <gtest/gtest.h>
#include <random>

#include "ModBuilder.h"
#include "SoundTestSupport.h"
#include "sound/SoundModule.h"
#include "sound/SoundSample.h"

// Damaged sounds are refused or played within their bytes (run under the sanitizers).
namespace nv::sound {
namespace {

std::vector<uint8_t> damaged(const std::vector<uint8_t>& good, std::mt19937& random) {
  std::vector<uint8_t> bytes = good;
  std::uniform_int_distribution<size_t> where(0, bytes.size() - 1);
  int changes = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < changes; ++i) {
    bytes[where(random)] = static_cast<uint8_t>(random());
  }
  if (random() % 2 == 0) {
    bytes.resize(where(random));
  }
  // An exact-size heap block, so that a read past the end is seen.
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

TEST(DamagedInput, WavFilesNeverReadPastTheirBytes) {
  std::mt19937 random(1234);
  test::OfflineMixer mixer(22050, 16, 1);
  for (const char* name : {"pcm16_mono.wav", "pcm8_stereo.wav", "adpcm_mono.wav", "adpcm_stereo.wav"}) {
    std::vector<uint8_t> good = test::readFile(test::dataPath(name));
    for (int round = 0; round < 150; ++round) {
      std::vector<uint8_t> bytes = damaged(good, random);
      SoundSample sample;
      int result = sample.loadWav(bytes.data(), bytes.size(), false);
      ASSERT_TRUE(result == 0 || result == -100 || result == -300) << result;
      if (result == 0) {
        mixer.system().playSample(&sample, SoundSystem::kFreeChannel);
        mixer.render16(2048);
        mixer.system().stopAllSamples();
      }
    }
  }
}

TEST(DamagedInput, ModFilesNeverReadPastTheirBytes) {
  std::mt19937 random(99);
  test::ModBuilder builder;
  builder.sample(1, std::vector<int8_t>(300, 20), 64, 3, 10, 100).sample(2, std::vector<int8_t>(50, -5));
  builder.orders({0, 1, 0});
  for (int row = 0; row < 64; row += 3) {
    builder.cell(0, row, row % 4, {1 + row % 2, 428 - row, row % 16, row * 4});
    builder.cell(1, row, (row + 1) % 4, {2, 300 + row, (row + 7) % 16, 255 - row});
  }
  std::vector<uint8_t> good = builder.build();
  test::OfflineMixer mixer(22050, 16, 1);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> bytes = damaged(good, random);
    SoundModule module;
    int result = module.load(bytes.data(), bytes.size(), false);
    ASSERT_TRUE(result == 0 || result == -100) << result;
    if (result == 0 && mixer.system().playModule(&module, SoundSystem::kFreeChannel) >= 0) {
      mixer.render16(20000);
      mixer.system().stopAllModules();
    }
  }
}

}  // namespace
}  // namespace nv::sound
