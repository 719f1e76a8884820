#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/files/File.h"

namespace wce {

// Reads an open file through a buffer, so that small reads and seeks near
// the last read cost no system call. It answers as File would for the same
// calls, as long as nobody else changes the file meanwhile. The buffer
// grows while reading goes straight on and shrinks again after a jump.
class FileReader {
public:
  static constexpr std::size_t SmallestChunk = 4096;
  static constexpr std::size_t LargestChunk = 65536;

  explicit FileReader(File file) : file_(std::move(file)) {}

  bool isOpen() const { return file_.isOpen(); }

  // Up to `count` bytes, fewer only at the end of the file; 0 at the end.
  std::optional<std::size_t> read(void* buffer, std::size_t count);
  // Moves the position and answers the new one; a negative result fails and
  // leaves the position unchanged. Moving past the end is allowed.
  std::optional<std::int64_t> seek(std::int64_t distance, File::Origin origin);
  void close();

private:
  std::size_t copyBuffered(unsigned char* out, std::size_t count);
  // Reads the next chunk at the position; false on a failed read.
  bool refill();

  File file_;
  std::unique_ptr<unsigned char[]> buffer_;
  std::int64_t position_ = 0;
  std::int64_t bufferStart_ = 0;
  std::size_t buffered_ = 0;
  std::size_t chunk_ = SmallestChunk;
};

}  // namespace wce
