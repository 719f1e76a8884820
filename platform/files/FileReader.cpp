#include "platform/files/FileReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace wce {

std::optional<std::size_t> FileReader::read(void* buffer, std::size_t count) {
  if (!isOpen()) return std::nullopt;
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    if (const std::size_t copied = copyBuffered(out + done, count - done); copied > 0) {
      done += copied;
      continue;
    }
    std::optional<std::size_t> got;
    if (count - done >= chunk_) {
      got = file_.readAt(out + done, count - done, position_);
      if (got) position_ += static_cast<std::int64_t>(*got);
      done += got.value_or(0);
    } else if (refill()) {
      got = buffered_;
    }
    if (!got) return std::nullopt;
    if (*got == 0) break;
  }
  return done;
}

std::size_t FileReader::copyBuffered(unsigned char* out, std::size_t count) {
  if (position_ < bufferStart_ || position_ >= bufferStart_ + static_cast<std::int64_t>(buffered_)) return 0;
  const auto at = static_cast<std::size_t>(position_ - bufferStart_);
  const std::size_t n = std::min(count, buffered_ - at);
  std::memcpy(out, buffer_.get() + at, n);
  position_ += static_cast<std::int64_t>(n);
  return n;
}

bool FileReader::refill() {
  const bool straightOn = buffered_ > 0 && position_ == bufferStart_ + static_cast<std::int64_t>(buffered_);
  chunk_ = straightOn ? std::min(chunk_ * 2, LargestChunk) : SmallestChunk;
  if (!buffer_) buffer_.reset(new unsigned char[LargestChunk]);
  buffered_ = 0;
  const std::optional<std::size_t> got = file_.readAt(buffer_.get(), chunk_, position_);
  if (!got) return false;
  bufferStart_ = position_;
  buffered_ = *got;
  return true;
}

std::optional<std::int64_t> FileReader::seek(std::int64_t distance, File::Origin origin) {
  if (!isOpen()) return std::nullopt;
  std::int64_t base = position_;
  if (origin == File::Origin::begin) base = 0;
  if (origin == File::Origin::end) {
    const std::optional<std::int64_t> size = file_.size();
    if (!size) return std::nullopt;
    base = *size;
  }
  if (distance < 0 ? distance < -base : distance > std::numeric_limits<std::int64_t>::max() - base) return std::nullopt;
  position_ = base + distance;
  return position_;
}

void FileReader::close() {
  file_.close();
  buffer_.reset();
  buffered_ = 0;
}

}  // namespace wce
