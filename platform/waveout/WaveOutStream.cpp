#include "platform/waveout/WaveOutStream.h"

#include <algorithm>
#include <cstring>

namespace wce {

WaveOutStream::WaveOutStream(HWAVEOUT handle, const WAVEFORMATEX& format, WaveOutProc callback, uintptr_t instance)
    : handle_(handle), format_(format), callback_(callback), instance_(instance) {}

void WaveOutStream::prepare(WAVEHDR* header) {
  std::lock_guard<std::mutex> guard(mutex_);
  header->flags |= WHDR_PREPARED;
}

bool WaveOutStream::unprepare(WAVEHDR* header) {
  std::lock_guard<std::mutex> guard(mutex_);
  if ((header->flags & WHDR_INQUEUE) != 0) {
    return false;
  }
  header->flags &= ~WHDR_PREPARED;
  return true;
}

bool WaveOutStream::write(WAVEHDR* header) {
  std::lock_guard<std::mutex> guard(mutex_);
  if ((header->flags & WHDR_PREPARED) == 0) {
    return false;
  }
  header->flags = (header->flags & ~WHDR_DONE) | WHDR_INQUEUE;
  queue_.push_back(header);
  return true;
}

size_t WaveOutStream::pull(uint8_t* out, size_t byteCount) {
  std::vector<WAVEHDR*> finished;
  size_t taken = 0;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    while (!paused_ && taken < byteCount && !queue_.empty()) {
      WAVEHDR* head = queue_.front();
      size_t left = head->bufferLength - headOffset_;
      size_t n = std::min(left, byteCount - taken);
      std::memcpy(out + taken, head->data + headOffset_, n);
      taken += n;
      headOffset_ += n;
      if (headOffset_ == head->bufferLength) {
        head->flags = (head->flags & ~WHDR_INQUEUE) | WHDR_DONE;
        finished.push_back(head);
        queue_.pop_front();
        headOffset_ = 0;
      }
    }
    bytesPlayed_ += taken;
  }
  std::memset(out + taken, silenceByte(), byteCount - taken);
  report(finished);
  return taken;
}

bool WaveOutStream::pullBuffer(std::vector<uint8_t>& out) {
  WAVEHDR* head;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    if (paused_ || queue_.empty()) {
      return false;
    }
    head = queue_.front();
    out.insert(out.end(), head->data + headOffset_, head->data + head->bufferLength);
    bytesPlayed_ += head->bufferLength - headOffset_;
    head->flags = (head->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    queue_.pop_front();
    headOffset_ = 0;
  }
  report({head});
  return true;
}

void WaveOutStream::setPaused(bool paused) {
  std::lock_guard<std::mutex> guard(mutex_);
  paused_ = paused;
}

bool WaveOutStream::paused() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return paused_;
}

void WaveOutStream::reset() {
  std::vector<WAVEHDR*> finished;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    for (WAVEHDR* header : queue_) {
      header->flags = (header->flags & ~WHDR_INQUEUE) | WHDR_DONE;
      finished.push_back(header);
    }
    queue_.clear();
    headOffset_ = 0;
    bytesPlayed_ = 0;
  }
  report(finished);
}

size_t WaveOutStream::queuedCount() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return queue_.size();
}

uint64_t WaveOutStream::bytesPlayed() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return bytesPlayed_;
}

void WaveOutStream::report(const std::vector<WAVEHDR*>& finished) {
  if (callback_ == nullptr) {
    return;
  }
  for (WAVEHDR* header : finished) {
    callback_(handle_, WOM_DONE, instance_, reinterpret_cast<uintptr_t>(header), 0);
  }
}

}  // namespace wce
