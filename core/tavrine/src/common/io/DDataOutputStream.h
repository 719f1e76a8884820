#pragma once

#include <cstdint>

#include "io/DDataOutputStream.ptr.h"
#include "io/DOutputStream.h"

namespace qel::io {

// Writes big-endian numbers to a wrapped stream through its write(int);
// every other operation forwards to it (a null wrapped stream throws
// 0x05000080).
class DDataOutputStream final : public DOutputStream {
public:
  explicit DDataOutputStream(DOutputStreamPtr out);

  using DOutputStream::write;

  void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  void write(int32_t v) override;
  void flush() override;
  void close() override;

  void writeByte(int32_t v);
  void writeShort(int32_t v);
  void writeInt(int32_t v);

private:
  DOutputStreamPtr out_;
};

}  // namespace qel::io
