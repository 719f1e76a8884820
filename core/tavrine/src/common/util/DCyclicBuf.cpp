#include "util/DCyclicBuf.h"

#include <algorithm>
#include <cstring>

#include "lang/DbyteArray.h"

namespace qel::util {

using qel::lang::DbyteArray;

DCyclicBuf::DCyclicBuf(int32_t capacity) : store_(new DbyteArray(capacity)) {}

int32_t DCyclicBuf::capacity() const { return store_->length(); }

uint8_t* DCyclicBuf::bytes() const { return reinterpret_cast<uint8_t*>(store_->data()); }

int32_t DCyclicBuf::read(uint8_t* dst, int32_t len) {
  if (directWriteOpen_) return -1;
  const int32_t n = std::min(len, stored_);
  if (n <= 0) return 0;
  const int32_t toEnd = capacity() - readIndex_;
  const int32_t first = std::min(n, toEnd);
  std::memcpy(dst, bytes() + readIndex_, first);
  if (n > first) std::memcpy(dst + first, bytes(), n - first);
  readIndex_ = (readIndex_ + n) % capacity();
  stored_ -= n;
  return n;
}

int32_t DCyclicBuf::read() {
  if (stored_ < 1) return -1;
  const int32_t byte = bytes()[readIndex_];
  if (++readIndex_ == capacity()) readIndex_ = 0;
  --stored_;
  return byte;
}

int32_t DCyclicBuf::write(const uint8_t* src, int32_t len) {
  if (directWriteOpen_) return -1;
  const int32_t n = std::min(len, capacity() - stored_);
  if (n < 1) return n;
  const int32_t toEnd = capacity() - writeIndex_;
  const int32_t first = std::min(n, toEnd);
  std::memcpy(bytes() + writeIndex_, src, first);
  if (n > first) std::memcpy(bytes(), src + first, n - first);
  writeIndex_ = (writeIndex_ + n) % capacity();
  stored_ += n;
  return n;
}

uint8_t* DCyclicBuf::getFreeSpace(int32_t* len) {
  if (directWriteOpen_ || capacity() - stored_ < 1) {
    *len = 0;
    return nullptr;
  }
  *len = readIndex_ > writeIndex_ ? readIndex_ - writeIndex_ : capacity() - writeIndex_;
  directWriteOpen_ = true;
  return bytes() + writeIndex_;
}

void DCyclicBuf::commitWrite(int32_t n) {
  if (!directWriteOpen_) return;
  directWriteOpen_ = false;
  if (n < 1) return;
  const int32_t limit = readIndex_ <= writeIndex_ ? capacity() : readIndex_;
  const int32_t k = std::min(n, limit - writeIndex_);
  writeIndex_ = (writeIndex_ + k) % capacity();
  stored_ += k;
}

int32_t DCyclicBuf::grow(int32_t extra) {
  if (directWriteOpen_) return -1;
  const int32_t newCapacity = std::max(capacity() + extra, stored_);
  qel::lang::DbyteArrayPtr larger = new DbyteArray(newCapacity);
  const int32_t count = stored_;
  read(reinterpret_cast<uint8_t*>(larger->data()), count);
  store_ = larger;
  readIndex_ = 0;
  stored_ = count;
  writeIndex_ = newCapacity > 0 ? count % newCapacity : 0;
  return newCapacity;
}

int32_t DCyclicBuf::indexOf() const { return indexOf(0); }

int32_t DCyclicBuf::indexOf(int32_t from) const {
  if (from < 0) from = 0;
  if (from >= stored_) return -1;
  const int32_t start = (readIndex_ + from) % capacity();
  const int32_t count = stored_ - from;
  const int32_t firstRun = std::min(count, capacity() - start);
  if (const void* found = std::memchr(bytes() + start, '\n', static_cast<size_t>(firstRun)))
    return from + static_cast<int32_t>(static_cast<const uint8_t*>(found) - (bytes() + start));
  if (const void* found = std::memchr(bytes(), '\n', static_cast<size_t>(count - firstRun)))
    return from + firstRun + static_cast<int32_t>(static_cast<const uint8_t*>(found) - bytes());
  return -1;
}

bool DCyclicBuf::clear() {
  if (directWriteOpen_) return false;
  readIndex_ = writeIndex_ = stored_ = 0;
  return true;
}

}  // namespace qel::util
