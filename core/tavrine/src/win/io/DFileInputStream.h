#pragma once

#include <cstdint>
#include <optional>

#include "io/DFileInputStream.ptr.h"
#include "io/DInputStream.h"
#include "lang/DString.ptr.h"
#include "platform/files/FileReader.h"

namespace qel::io {

// Reads a file beside the program. Paths are relative to the
// program folder ('/' or '\' between names; "/a", "\a" and "a" are one
// file); a file kept in the user folder is found first. Errors throw
// 0x06000000 unless stated otherwise.
class DFileInputStream final : public DInputStream {
public:
  // A null path throws 0x05000080; a missing file, a folder or a path that
  // leaves the program folder 0x06000000.
  explicit DFileInputStream(const qel::lang::DStringPtr& path);

  // Bytes from the position to the end; a count an int cannot hold (a file
  // above 2 GiB) throws 0x06000000.
  int32_t available() override;
  // One read of up to len bytes: the count, 0 at the end. A null buf throws
  // 0x05000080, a negative len 0x05800000.
  int32_t readRaw(uint8_t* buf, int32_t len) override;
  // One read into b[off ..]: the count, -1 at the end. A null b, off past
  // the array or len 0 throw 0x06000000; a negative off or len, or a range
  // past the array, 0x05800000.
  int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  // read(b, 0, b.length); a null b throws 0x06000000.
  int32_t read(const qel::lang::DbyteArrayPtr& b) override;
  // One byte 0 .. 255; the end of the file throws 0x06000002.
  int32_t read() override;
  void close() override;
  // Back to the start; never throws.
  void reset() override;
  // Moves by the low 32 bits of n, past the end too; answers the distance moved.
  int64_t skip(int64_t n) override;
  int64_t getPosition() override;
  // The path as given, with '\' between names.
  qel::lang::DStringPtr getName() override;
  void dispose() override { close(); }

private:
  wce::FileReader& file();

  std::optional<wce::FileReader> file_;
  qel::lang::DStringPtr name_;
};

}  // namespace qel::io
