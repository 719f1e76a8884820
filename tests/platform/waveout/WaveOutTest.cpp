#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "platform/testing/ManualWaveOutDriver.h"
#include "platform/waveout/WaveOut.h"
#include "platform/waveout/WaveOutStream.h"

namespace wce {
namespace {

struct Done {
  static void callback(HWAVEOUT, uint32_t message, uintptr_t instance, uintptr_t header, uintptr_t) {
    if (message == WOM_DONE) {
      reinterpret_cast<Done*>(instance)->headers.push_back(reinterpret_cast<WAVEHDR*>(header));
    }
  }
  std::vector<WAVEHDR*> headers;
};

class WaveOut : public ::testing::Test {
protected:
  void SetUp() override {
    driver_ = std::make_shared<ManualWaveOutDriver>();
    installWaveOutDriver(driver_);
    format_ = {WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    ASSERT_EQ(
        waveOutOpen(&handle_, 0, &format_, &Done::callback, reinterpret_cast<uintptr_t>(&done_), CALLBACK_FUNCTION),
        MMSYSERR_NOERROR);
    for (int i = 0; i < 3; ++i) {
      data_[i].assign(16, static_cast<uint8_t>(i + 1));
      headers_[i].data = data_[i].data();
      headers_[i].bufferLength = 16;
      ASSERT_EQ(waveOutPrepareHeader(handle_, &headers_[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
  }
  void TearDown() override {
    if (handle_ != nullptr) {
      waveOutReset(handle_);
      EXPECT_EQ(waveOutClose(handle_), MMSYSERR_NOERROR);
    }
    installWaveOutDriver(nullptr);
  }
  void writeAll() {
    for (WAVEHDR& h : headers_) {
      ASSERT_EQ(waveOutWrite(handle_, &h, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    }
  }

  std::shared_ptr<ManualWaveOutDriver> driver_;
  WAVEFORMATEX format_{};
  HWAVEOUT handle_ = nullptr;
  Done done_;
  std::vector<uint8_t> data_[3];
  WAVEHDR headers_[3];
};

TEST_F(WaveOut, PlaysBuffersInWriteOrderWithOneDonePerBuffer) {
  writeAll();
  EXPECT_EQ(waveOutUnprepareHeader(handle_, &headers_[0], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutClose(handle_), WAVERR_STILLPLAYING);
  while (driver_->completeNextBuffer()) {}
  ASSERT_EQ(done_.headers.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(done_.headers[i], &headers_[i]);
    EXPECT_NE(headers_[i].flags & WHDR_DONE, 0u);
  }
  std::vector<uint8_t> played = driver_->played();
  ASSERT_EQ(played.size(), 48u);
  EXPECT_EQ(played[0], 1);
  EXPECT_EQ(played[47], 3);
  MMTIME time;
  time.type = TIME_BYTES;
  waveOutGetPosition(handle_, &time, sizeof(time));
  EXPECT_EQ(time.value, 48u);
  time.type = TIME_MS;
  waveOutGetPosition(handle_, &time, sizeof(time));
  EXPECT_EQ(time.value, 3u);
  EXPECT_EQ(waveOutUnprepareHeader(handle_, &headers_[0], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutWrite(handle_, &headers_[0], sizeof(WAVEHDR)), WAVERR_UNPREPARED);
}

TEST_F(WaveOut, PauseHoldsQueuedBuffersAndResetReturnsThem) {
  writeAll();
  waveOutPause(handle_);
  EXPECT_FALSE(driver_->completeNextBuffer());
  waveOutRestart(handle_);
  EXPECT_TRUE(driver_->completeNextBuffer());
  EXPECT_EQ(waveOutReset(handle_), MMSYSERR_NOERROR);
  EXPECT_EQ(done_.headers.size(), 3u);
  EXPECT_EQ(driver_->queuedBuffers(), 0u);
  MMTIME time;
  waveOutGetPosition(handle_, &time, sizeof(time));
  EXPECT_EQ(time.value, 0u);
}

TEST_F(WaveOut, StreamPullsAcrossBuffersAndPadsWithSilence) {
  writeAll();
  // A driver that pulls in its own block size, as SDL does.
  WaveOutStream stream(nullptr, format_, nullptr, 0);
  for (WAVEHDR& h : headers_) {
    h.flags = WHDR_PREPARED;
    stream.write(&h);
  }
  std::vector<uint8_t> out(40, 0xAA);
  EXPECT_EQ(stream.pull(out.data(), 20), 20u);
  EXPECT_EQ(out[15], 1);
  EXPECT_EQ(out[16], 2);
  EXPECT_EQ(stream.pull(out.data(), 40), 28u);
  EXPECT_EQ(out[27], 3);
  EXPECT_EQ(out[28], 0);
  EXPECT_EQ(stream.queuedCount(), 0u);
}

TEST(WaveOutOpen, RefusesWithoutDriverDeviceOrFormat) {
  installWaveOutDriver(nullptr);
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  HWAVEOUT handle = nullptr;
  EXPECT_EQ(waveOutGetNumDevs(), 0u);
  EXPECT_EQ(waveOutOpen(&handle, 0, &format, nullptr, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
  installWaveOutDriver(std::make_shared<ManualWaveOutDriver>(1));
  EXPECT_EQ(waveOutOpen(&handle, 1, &format, nullptr, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  WAVEFORMATEX bad = format;
  bad.blockAlign = 3;
  EXPECT_EQ(waveOutOpen(&handle, 0, &bad, nullptr, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  EXPECT_EQ(waveOutOpen(&handle, 0, &format, nullptr, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(handle), MMSYSERR_NOERROR);
  installWaveOutDriver(nullptr);
}

}  // namespace
}  // namespace wce
