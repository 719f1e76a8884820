#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/threads/CriticalSection.h"
#include "platform/threads/Event.h"
#include "platform/threads/Semaphore.h"
#include "platform/threads/Thread.h"
#include "platform/waveout/WaveOut.h"
#include "sound/AudioOutputDevice.h"

namespace nv::sound {

// Plays through wave-out with a ring of 30 ms buffers, refilled by a feeder
// thread as the device finishes each one.
class WaveOutDevice : public AudioOutputDevice {
public:
  static constexpr uint32_t kBufferMs = 30;
  static constexpr uint32_t kMinBuffers = 4;
  static constexpr uint32_t kMaxBuffers = 32;
  static constexpr uint32_t kMinRate = 4000;
  static constexpr uint32_t kMaxRate = 192000;

  WaveOutDevice();
  ~WaveOutDevice() override;

  // 0, -1 bad format or arguments or no device, -2 already open, -4 no thread, -10 no memory.
  int open(const OutputFormat* format, uint32_t bufferFrames, FillCallback fill, void* user) override;
  // 0, or -3 when not open.
  int close() override;
  void lock() override;
  void unlock() override;
  void pause() override;
  void resume() override;

  bool isOpen() const { return open_; }
  bool isPaused() const { return paused_; }
  uint32_t bufferCount() const { return bufferCount_; }
  uint32_t bytesPerBuffer() const { return bytesPerBuffer_; }

private:
  static void waveOutCallback(wce::HWAVEOUT, uint32_t message, uintptr_t instance, uintptr_t, uintptr_t);
  uint32_t feed();
  void refill(wce::WAVEHDR& header);
  void abandonOpen();

  wce::HWAVEOUT waveOut_ = nullptr;
  wce::WAVEFORMATEX waveFormat_{};
  std::vector<wce::WAVEHDR> headers_;
  uint32_t bufferCount_ = 0;
  uint32_t ringIndex_ = 0;
  std::unique_ptr<wce::Thread> feeder_;
  std::unique_ptr<wce::Event> finished_;
  std::unique_ptr<wce::Event> stop_;
  std::unique_ptr<wce::Semaphore> doneBuffers_;
  wce::CriticalSection section_;
  OutputFormat format_{};
  std::vector<uint8_t> memory_;
  uint32_t bytesPerFrame_ = 0;
  uint32_t bytesPerBuffer_ = 0;
  uint32_t totalBytes_ = 0;
  FillCallback fill_ = nullptr;
  void* user_ = nullptr;
  bool open_ = false;
  bool paused_ = true;
};

}  // namespace nv::sound
