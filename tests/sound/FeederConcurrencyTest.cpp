#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "ModBuilder.h"
#include "SoundTestSupport.h"
#include "WavBuilder.h"
#include "sound/SoundModule.h"
#include "sound/SoundSample.h"

namespace nv::sound {
namespace {

using namespace std::chrono_literals;

// The feeder mixes while the window thread drives channels (run under ThreadSanitizer too).
TEST(FeederConcurrency, ChannelOperationsWhileTheFeederMixes) {
  test::ManualDriverScope scope;
  wce::ManualWaveOutDriver& driver = scope.driver();
  test::ModBuilder builder;
  builder.sample(1, std::vector<int8_t>(64, 50), 64, 0, 0, 32).cell(0, 0, 0, {1, 428, 0, 0});
  std::vector<uint8_t> modBytes = builder.build();
  SoundModule module;
  ASSERT_EQ(module.load(modBytes.data(), modBytes.size(), false), 0);
  module.setLoop(true);
  std::vector<uint8_t> wavBytes = test::makeWav(16, 1, 22050, std::vector<int>(3000, 1000));
  SoundSample sample;
  ASSERT_EQ(sample.loadWav(wavBytes.data(), wavBytes.size(), false), 0);

  SoundSystem system;
  ASSERT_EQ(system.open(22050, 16, 1, 2, 8), 0);
  int music = system.playModule(&module, SoundSystem::kFreeChannel);
  ASSERT_GE(music, 0);
  std::atomic<bool> done{false};
  std::thread device([&] {
    while (!done) {
      if (!driver.completeNextBuffer()) {
        std::this_thread::yield();
      }
    }
  });
  for (int i = 0; i < 100; ++i) {
    SoundChannel* channel = system.getChannel(music);
    channel->setVolume(i % 65);
    channel->setPanning(i % 256);
    channel->setPosition((i % 64));
    (void)channel->getPosition();
    channel->pause();
    (void)channel->isPlaying();
    channel->resume();
    system.setMusicVolume(i % 70);
    system.setSfxVolume(64 - i % 64);
    int sfx = system.playSample(&sample, SoundSystem::kFreeChannel);
    if (sfx >= 0) {
      system.getChannel(sfx)->setLooping(i % 2 == 0);
    }
    if (i % 50 == 0) {
      system.pause();
      system.resume();
      system.stopAllSamples();
    }
    // Let the feeder refill at least one buffer between rounds.
    size_t writes = driver.writes();
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (driver.writes() == writes && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
  }
  done = true;
  device.join();
  EXPECT_TRUE(system.getChannel(music)->isPlaying());
  EXPECT_GE(driver.writes(), 100u);
  EXPECT_EQ(system.close(), 0);
}

}  // namespace
}  // namespace nv::sound
