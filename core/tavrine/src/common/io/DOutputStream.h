#pragma once

#include <cstdint>

#include "io/DOutputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Abstract byte output stream.
class DOutputStream : public qel::lang::DObject {
public:
  // Bytes b[off .. off+len).
  virtual void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) = 0;
  // write(b, 0, b.length); a null b throws 0x05000080.
  virtual void write(const qel::lang::DbyteArrayPtr& b);
  // One byte: the low 8 bits of v.
  virtual void write(int32_t v) = 0;
  virtual void flush() = 0;
  virtual void close() = 0;
};

}  // namespace qel::io
