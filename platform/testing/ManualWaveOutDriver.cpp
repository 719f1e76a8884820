#include "platform/testing/ManualWaveOutDriver.h"

#include "platform/waveout/WaveOutStream.h"

namespace wce {

class ManualWaveOutDriver::Port : public WaveOutPort {
public:
  explicit Port(ManualWaveOutDriver& driver) : driver_(driver) {}
  ~Port() override { driver_.detach(); }
  void paused(bool) override {}
  void written() override { driver_.noteWrite(); }

private:
  ManualWaveOutDriver& driver_;
};

std::unique_ptr<WaveOutPort> ManualWaveOutDriver::open(uint32_t deviceId, WaveOutStream& stream) {
  std::lock_guard<std::mutex> guard(mutex_);
  if (deviceId >= devices_ || stream_ != nullptr) {
    return nullptr;
  }
  stream_ = &stream;
  played_.clear();
  writes_ = 0;
  return std::make_unique<Port>(*this);
}

void ManualWaveOutDriver::detach() {
  std::lock_guard<std::mutex> guard(mutex_);
  stream_ = nullptr;
}

void ManualWaveOutDriver::noteWrite() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    ++writes_;
  }
  written_.notify_all();
}

bool ManualWaveOutDriver::isOpen() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return stream_ != nullptr;
}

WAVEFORMATEX ManualWaveOutDriver::openFormat() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return stream_ != nullptr ? stream_->format() : WAVEFORMATEX{};
}

size_t ManualWaveOutDriver::queuedBuffers() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return stream_ != nullptr ? stream_->queuedCount() : 0;
}

bool ManualWaveOutDriver::completeNextBuffer() {
  // The stream reports the buffer outside this driver's lock, so a callback that
  // writes again (or a feeder woken by it) cannot deadlock with the test.
  WaveOutStream* stream;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    stream = stream_;
  }
  if (stream == nullptr) {
    return false;
  }
  std::vector<uint8_t> bytes;
  if (!stream->pullBuffer(bytes)) {
    return false;
  }
  std::lock_guard<std::mutex> guard(mutex_);
  played_.insert(played_.end(), bytes.begin(), bytes.end());
  return true;
}

bool ManualWaveOutDriver::waitForQueued(size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> guard(mutex_);
  return written_.wait_for(guard, timeout, [&] { return stream_ != nullptr && stream_->queuedCount() >= count; });
}

std::vector<uint8_t> ManualWaveOutDriver::played() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return played_;
}

size_t ManualWaveOutDriver::writes() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return writes_;
}

}  // namespace wce
