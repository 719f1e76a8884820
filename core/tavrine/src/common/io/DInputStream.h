#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Abstract byte input stream. The block reads and the whole-content cache
// have default bodies built on the single-byte read().
class DInputStream : public qel::lang::DObject {
public:
  // Bytes that can still be read.
  virtual int32_t available() = 0;
  // Up to len bytes into buf: the count, -1 when the first byte is already
  // the end, 0 for len 0. A null buf throws 0x05000080, a negative len 0x05800000.
  virtual int32_t readRaw(uint8_t* buf, int32_t len);
  // Up to len bytes into b[off ..]: the count, or -1 when the first byte is
  // already the end. A null b throws 0x05000080; off < 0, len < 0 or
  // off + len past the array throw 0x05800000.
  virtual int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len);
  // read(b, 0, b.length).
  virtual int32_t read(const qel::lang::DbyteArrayPtr& b);
  // One byte 0 .. 255, or -1 at the end.
  virtual int32_t read() = 0;
  virtual void close() {}
  // Back to the start of the data.
  virtual void reset() {}
  virtual int64_t skip(int64_t n) = 0;
  virtual int64_t getPosition() = 0;
  // The remaining content as one block, read once into a cache of
  // available() bytes and kept until releaseData(). Data that end before the
  // cache is full throw 0x06000002 and leave no cache.
  virtual uint8_t* getData();
  virtual int32_t getDataLength();
  virtual void releaseData();
  virtual qel::lang::DStringPtr getName() = 0;

private:
  qel::lang::DbyteArrayPtr dataCache_;
};

}  // namespace qel::io
