#pragma once

#include <cstdint>

#include "io/DDataInputStream.ptr.h"
#include "io/DInputStream.h"

namespace qel::io {

// Reads numbers and readUTF strings from a wrapped stream; every other
// operation forwards to it (a null wrapped stream throws 0x05000080).
// Multi-byte readers take all their bytes first; any end among them throws
// 0x06000002, and the bytes consumed stay consumed.
class DDataInputStream final : public DInputStream {
public:
  explicit DDataInputStream(DInputStreamPtr in);

  int32_t available() override;
  int32_t readRaw(uint8_t* buf, int32_t len) override;
  int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  int32_t read(const qel::lang::DbyteArrayPtr& b) override;
  int32_t read() override;
  void close() override;
  void reset() override;
  int64_t skip(int64_t n) override;
  int64_t getPosition() override;
  qel::lang::DStringPtr getName() override;

  int32_t readByte();
  int32_t readUnsignedByte();
  // Big-endian.
  int32_t readShort();
  int32_t readUnsignedShort();
  int32_t readInt();
  // Little-endian (zip archives).
  int32_t readShortLE();
  int32_t readUnsignedShortLE();
  int32_t readIntLE();
  uint32_t readUnsignedIntLE();
  // Exactly len bytes into b[off ..]; the end of the data throws 0x06000002.
  void readFully(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len);
  void readFully(const qel::lang::DbyteArrayPtr& b);
  // An unsigned big-endian 16-bit byte count, then that many bytes of
  // modified UTF-8; malformed text throws 0x06000010.
  qel::lang::DStringPtr readUTF();
  static qel::lang::DStringPtr readUTF(const DDataInputStreamPtr& in);

private:
  // count bytes (at most 4) from the wrapped stream, first byte in the top.
  uint32_t readBigEndian(int count);
  uint32_t readLittleEndian(int count);

  DInputStreamPtr in_;
};

}  // namespace qel::io
