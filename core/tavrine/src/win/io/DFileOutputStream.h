#pragma once

#include <cstdint>
#include <optional>

#include "io/DFileOutputStream.ptr.h"
#include "io/DOutputStream.h"
#include "lang/DString.ptr.h"
#include "platform/files/File.h"

namespace qel::io {

// Writes a file beside the program, unbuffered: the file is always created
// or emptied, never appended to. Paths are those of DFileInputStream; the
// file goes to the same place in the user folder. Errors throw 0x06000000
// unless stated otherwise.
class DFileOutputStream final : public DOutputStream {
public:
  // A null path throws 0x05000080.
  explicit DFileOutputStream(const qel::lang::DStringPtr& path);

  using DOutputStream::write;

  // A null b, off past the array or a negative len throw 0x06000000; a
  // negative off or a range past the array 0x05800000; len 0 writes nothing.
  void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  // The low 8 bits of v.
  void write(int32_t v) override;
  // Forces the written bytes to storage.
  void flush() override;
  void close() override;
  void dispose() override { close(); }

private:
  wce::File& file();

  std::optional<wce::File> file_;
};

}  // namespace qel::io
