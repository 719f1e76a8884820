#include <atomic>
#include <chrono>
#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "sound/WaveOutDevice.h"

namespace nv::sound {
namespace {

using namespace std::chrono_literals;
using test::ManualDriverScope;

// Fills every buffer with the number of its fill (1, 2, 3, ...).
struct CountingFill {
  static void fill(void* user, uint8_t* buffer, uint32_t bytes) {
    auto* self = static_cast<CountingFill*>(user);
    uint8_t mark = static_cast<uint8_t>(++self->fills);
    for (uint32_t i = 0; i < bytes; ++i) {
      buffer[i] = mark;
    }
  }
  std::atomic<int> fills{0};
};

OutputFormat format(uint32_t rate, uint32_t flags, uint32_t channels) { return OutputFormat{rate, flags, channels}; }

TEST(WaveOutDevice, BufferSizesAndCounts) {
  struct Case {
    OutputFormat format;
    uint32_t frames;
    uint32_t buffers;
    uint32_t bytes;
  };
  for (const Case& c : {Case{format(44100, 0x12, 2), 180 * 44100 / 1000, 6, 5296},
                        Case{format(22050, 0x21, 1), 1000, 4, 664},
                        Case{format(44100, 0x12, 2), 2 * 44100, 32, 5296}}) {
    ManualDriverScope scope;
    WaveOutDevice device;
    CountingFill fill;
    ASSERT_EQ(device.open(&c.format, c.frames, &CountingFill::fill, &fill), 0);
    EXPECT_EQ(device.bufferCount(), c.buffers);
    EXPECT_EQ(device.bytesPerBuffer(), c.bytes);
    EXPECT_EQ(scope.driver().queuedBuffers(), c.buffers);
    wce::WAVEFORMATEX wf = scope.driver().openFormat();
    EXPECT_EQ(wf.blockAlign, c.format.channels * ((c.format.flags & 2) ? 2 : 1));
    EXPECT_EQ(device.open(&c.format, c.frames, &CountingFill::fill, &fill), -2);
    EXPECT_EQ(device.close(), 0);
    EXPECT_EQ(device.close(), -3);
    EXPECT_EQ(fill.fills, 0);
    EXPECT_FALSE(scope.driver().isOpen());
  }
}

TEST(WaveOutDevice, RefusesBadFormatsAndMissingDevices) {
  CountingFill fill;
  for (const OutputFormat& f : {format(44100, 0x11, 1),
                                format(44100, 0x22, 1),
                                format(44100, 0, 1),
                                format(44100, 0x12, 3),
                                format(44100, 0x12, 0),
                                format(0, 0x12, 2),
                                format(0xFFFFFFFFu, 0x12, 2)}) {
    ManualDriverScope scope;
    WaveOutDevice device;
    EXPECT_EQ(device.open(&f, 1000, &CountingFill::fill, &fill), -1);
    EXPECT_FALSE(device.isOpen());
  }
  ManualDriverScope scope;
  WaveOutDevice device;
  OutputFormat good = format(22050, 0x12, 1);
  EXPECT_EQ(device.open(nullptr, 1000, &CountingFill::fill, &fill), -1);
  EXPECT_EQ(device.open(&good, 1000, nullptr, &fill), -1);
  ManualDriverScope none(0);
  EXPECT_EQ(device.open(&good, 1000, &CountingFill::fill, &fill), -1);  // no device: the feeder is ended
  EXPECT_EQ(device.close(), -3);
}

TEST(WaveOutDevice, SilentUntilResumedThenRefillsEachBufferOnceInRingOrder) {
  for (uint32_t flags : {0x12u, 0x21u}) {
    ManualDriverScope scope;
    WaveOutDevice device;
    CountingFill fill;
    OutputFormat f = format(8000, flags, 1);
    ASSERT_EQ(device.open(&f, 4 * 240, &CountingFill::fill, &fill), 0);
    wce::ManualWaveOutDriver& driver = scope.driver();
    const uint32_t count = device.bufferCount();
    const uint32_t bytes = device.bytesPerBuffer();
    EXPECT_FALSE(driver.completeNextBuffer());  // paused until resumed
    device.resume();
    for (uint32_t i = 0; i < 2 * count; ++i) {
      ASSERT_TRUE(driver.completeNextBuffer());
      ASSERT_TRUE(driver.waitForQueued(count, 5s));
    }
    std::vector<uint8_t> played = driver.played();
    ASSERT_EQ(played.size(), 2 * count * bytes);
    for (uint32_t b = 0; b < 2 * count; ++b) {
      uint8_t expected = b < count ? (flags == 0x12 ? 0 : 128) : static_cast<uint8_t>(b - count + 1);
      EXPECT_EQ(played[b * bytes], expected) << b;
      EXPECT_EQ(played[b * bytes + bytes - 1], expected) << b;
    }
    EXPECT_EQ(fill.fills, static_cast<int>(2 * count));
    EXPECT_EQ(device.close(), 0);
  }
}

TEST(WaveOutDevice, PauseStopsFillsAndCloseWorksFromEveryState) {
  ManualDriverScope scope;
  wce::ManualWaveOutDriver& driver = scope.driver();
  OutputFormat f = format(8000, 0x12, 1);
  CountingFill fill;
  {
    WaveOutDevice neverResumed;
    ASSERT_EQ(neverResumed.open(&f, 960, &CountingFill::fill, &fill), 0);
    EXPECT_EQ(neverResumed.close(), 0);
    EXPECT_FALSE(driver.isOpen());
  }
  WaveOutDevice device;
  ASSERT_EQ(device.open(&f, 960, &CountingFill::fill, &fill), 0);
  device.resume();
  device.resume();
  ASSERT_TRUE(driver.completeNextBuffer());
  ASSERT_TRUE(driver.waitForQueued(device.bufferCount(), 5s));
  device.pause();
  device.pause();
  EXPECT_TRUE(device.isPaused());
  EXPECT_FALSE(driver.completeNextBuffer());
  EXPECT_EQ(fill.fills, 1);
  device.resume();
  ASSERT_TRUE(driver.completeNextBuffer());
  ASSERT_TRUE(driver.waitForQueued(device.bufferCount(), 5s));
  EXPECT_EQ(fill.fills, 2);
  device.pause();
  EXPECT_EQ(device.close(), 0);
  EXPECT_FALSE(driver.isOpen());
  ASSERT_EQ(device.open(&f, 960, &CountingFill::fill, &fill), 0);  // opens again
  device.resume();
  EXPECT_EQ(device.close(), 0);
}

}  // namespace
}  // namespace nv::sound
