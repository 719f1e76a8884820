#include "sound/WaveOutDevice.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "platform/threads/Wait.h"

namespace nv::sound {

namespace {

constexpr uint32_t kStopWaitMs = 1;
constexpr uint32_t kBufferWaitMs = 3;
constexpr int kFeederPriority = 1;

bool validFormat(const OutputFormat& format) {
  uint32_t flags = format.flags;
  if (flags == 0 || (flags & 0x11) == 0x11 || (flags & 0x22) == 0x22) {
    return false;
  }
  if (format.channels == 0 || format.channels > 2) {
    return false;
  }
  return format.rate >= WaveOutDevice::kMinRate && format.rate <= WaveOutDevice::kMaxRate;
}

}  // namespace

WaveOutDevice::WaveOutDevice() = default;

WaveOutDevice::~WaveOutDevice() {
  if (open_) {
    close();
  }
}

int WaveOutDevice::open(const OutputFormat* format, uint32_t bufferFrames, FillCallback fill, void* user) {
  if (open_) {
    return -2;
  }
  if (format == nullptr || fill == nullptr) {
    return -1;
  }
  fill_ = fill;
  user_ = user;
  format_ = *format;
  if (!validFormat(format_)) {
    return -1;
  }
  uint64_t requestedMs = static_cast<uint64_t>(bufferFrames) * 1000 / format_.rate;
  bufferCount_ = static_cast<uint32_t>(std::clamp<uint64_t>(requestedMs / kBufferMs, kMinBuffers, kMaxBuffers));
  ringIndex_ = 0;

  bool sixteen = (format_.flags & OutputFormat::k16Bit) != 0;
  bytesPerFrame_ = format_.channels * (sixteen ? 2 : 1);
  bytesPerBuffer_ = (format_.rate * bytesPerFrame_ * kBufferMs / 1000 + 7) & ~7u;
  totalBytes_ = bufferCount_ * bytesPerBuffer_;
  try {
    memory_.assign(totalBytes_, sixteen ? 0x00 : 0x80);
    headers_.assign(bufferCount_, wce::WAVEHDR{});
    finished_ = std::make_unique<wce::Event>();
    stop_ = std::make_unique<wce::Event>();
    doneBuffers_ = std::make_unique<wce::Semaphore>(0, static_cast<int32_t>(bufferCount_ + 1));
  } catch (const std::bad_alloc&) {
    abandonOpen();
    return -10;
  }

  try {
    feeder_ = std::make_unique<wce::Thread>([this] { return feed(); }, true);
  } catch (const std::system_error&) {
    abandonOpen();
    return -4;
  }
  // Created suspended, the feeder waits for resume(): nothing to wait for here.
  feeder_->SetThreadPriority(kFeederPriority);

  waveFormat_.formatTag = wce::WAVE_FORMAT_PCM;
  waveFormat_.channels = static_cast<uint16_t>(format_.channels);
  waveFormat_.samplesPerSec = format_.rate;
  waveFormat_.bitsPerSample = sixteen ? 16 : 8;
  waveFormat_.blockAlign = static_cast<uint16_t>(waveFormat_.bitsPerSample / 8 * format_.channels);
  waveFormat_.avgBytesPerSec = format_.rate * waveFormat_.blockAlign;
  waveFormat_.extraSize = 0;

  bool opened = false;
  uint32_t devices = wce::waveOutGetNumDevs();
  for (uint32_t id = 0; id < devices && !opened; ++id) {
    opened = wce::waveOutOpen(&waveOut_,
                              id,
                              &waveFormat_,
                              &WaveOutDevice::waveOutCallback,
                              reinterpret_cast<uintptr_t>(this),
                              wce::CALLBACK_FUNCTION) == wce::MMSYSERR_NOERROR;
  }
  if (!opened) {
    waveOut_ = nullptr;
    abandonOpen();
    return -1;
  }

  wce::waveOutPause(waveOut_);
  for (uint32_t i = 0; i < bufferCount_; ++i) {
    wce::WAVEHDR& header = headers_[i];
    header = wce::WAVEHDR{};
    header.data = memory_.data() + static_cast<size_t>(i) * bytesPerBuffer_;
    header.bufferLength = bytesPerBuffer_;
    wce::waveOutPrepareHeader(waveOut_, &header, sizeof(header));
    wce::waveOutWrite(waveOut_, &header, sizeof(header));
  }
  open_ = true;
  paused_ = true;
  return 0;
}

void WaveOutDevice::abandonOpen() {
  // A feeder that never started is let go without running and joined.
  feeder_.reset();
  headers_.clear();
  memory_.clear();
  doneBuffers_.reset();
  stop_.reset();
  finished_.reset();
}

void WaveOutDevice::waveOutCallback(wce::HWAVEOUT, uint32_t message, uintptr_t instance, uintptr_t, uintptr_t) {
  if (message == wce::WOM_DONE && instance != 0) {
    reinterpret_cast<WaveOutDevice*>(instance)->doneBuffers_->ReleaseSemaphore(1);
  }
}

uint32_t WaveOutDevice::feed() {
  while (stop_->WaitForSingleObject(kStopWaitMs) == wce::WAIT_TIMEOUT) {
    feeder_->SuspendPoint();
    while (doneBuffers_->WaitForSingleObject(kBufferWaitMs) == wce::WAIT_OBJECT_0) {
      section_.lock();
      // Never suspended inside the fill: a pause asked for meanwhile waits here, unlocked.
      while (feeder_->SuspendRequested()) {
        section_.unlock();
        feeder_->SuspendPoint();
        section_.lock();
      }
      refill(headers_[ringIndex_]);
      ringIndex_ = (ringIndex_ + 1) % bufferCount_;
      section_.unlock();
    }
  }
  finished_->SetEvent();
  return 0;
}

void WaveOutDevice::refill(wce::WAVEHDR& header) {
  fill_(user_, header.data, header.bufferLength);
  wce::waveOutUnprepareHeader(waveOut_, &header, sizeof(header));
  uint8_t* data = header.data;
  uint32_t length = header.bufferLength;
  header = wce::WAVEHDR{};
  header.data = data;
  header.bufferLength = length;
  wce::waveOutPrepareHeader(waveOut_, &header, sizeof(header));
  wce::waveOutWrite(waveOut_, &header, sizeof(header));
}

int WaveOutDevice::close() {
  if (!open_) {
    return -3;
  }
  section_.lock();
  if (paused_) {
    feeder_->ResumeThread();
  }
  stop_->SetEvent();
  section_.unlock();

  // The feeder's last act is to set the finished event; resetting the
  // thread then waits for it to end.
  finished_->WaitForSingleObject(wce::INFINITE);
  feeder_.reset();
  stop_.reset();
  finished_.reset();

  // Always reset: a device that never played still holds its queued buffers.
  wce::waveOutReset(waveOut_);
  for (wce::WAVEHDR& header : headers_) {
    wce::waveOutUnprepareHeader(waveOut_, &header, sizeof(header));
  }
  wce::waveOutClose(waveOut_);
  waveOut_ = nullptr;
  headers_.clear();
  memory_.clear();
  doneBuffers_.reset();
  open_ = false;
  paused_ = true;
  return 0;
}

void WaveOutDevice::lock() {
  if (open_) {
    section_.lock();
  }
}

void WaveOutDevice::unlock() {
  if (open_) {
    section_.unlock();
  }
}

void WaveOutDevice::pause() {
  if (!open_ || paused_) {
    return;
  }
  section_.lock();
  wce::waveOutPause(waveOut_);
  feeder_->SuspendThread();
  section_.unlock();
  paused_ = true;
}

void WaveOutDevice::resume() {
  if (!open_ || !paused_) {
    return;
  }
  section_.lock();
  feeder_->ResumeThread();
  wce::waveOutRestart(waveOut_);
  section_.unlock();
  paused_ = false;
}

}  // namespace nv::sound
