#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "io/DInputStream.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

struct archive;

namespace qel::io {

// One pass of libarchive's 7z reader over a framework stream, which it
// reads through a 65536-byte buffer and positions with reset and skip.
// Nothing thrown by the stream crosses libarchive: it becomes a read error.
class SevenZipReader {
public:
  // One entry header; size is -1 when the archive does not give it.
  struct Header {
    int32_t index = -1;
    std::string name;
    int64_t size = -1;
    bool directory = false;
  };

  // Rewinds source and opens it; a stream that is no readable 7z archive
  // throws 0x06000000.
  explicit SevenZipReader(DInputStream& source);
  ~SevenZipReader();
  SevenZipReader(const SevenZipReader&) = delete;
  SevenZipReader& operator=(const SevenZipReader&) = delete;

  // Steps to the next header; false after the last. A damaged header
  // throws 0x06000000.
  bool next();
  const Header& header() const { return header_; }
  // The index the next call of next() reaches.
  int32_t nextIndex() const { return header_.index + 1; }

  // The current entry's data, exactly size bytes, checked against its CRC;
  // any other outcome throws 0x06000000 with a message naming the entry.
  // The buffer grows with the data actually decoded, never beyond size.
  qel::lang::DbyteArrayPtr readData(int32_t size, const qel::lang::DStringPtr& name);

private:
  static constexpr int32_t BufferSize = 65536;

  struct Callbacks;
  friend struct Callbacks;

  // The count read into the buffer, 0 at the end; a failure throws.
  int32_t readBlock();
  // The new position; a position outside the stream throws.
  int64_t seekTo(int64_t offset, int whence);
  [[noreturn]] void fail(const char16_t* what, const qel::lang::DStringPtr& name);

  DInputStream& source_;
  int64_t sourceSize_;
  std::unique_ptr<uint8_t[]> buffer_;
  struct archive* archive_;
  Header header_;
};

}  // namespace qel::io
