#pragma once

#include <cstdint>

#include "io/DByteArrayOutputStream.ptr.h"
#include "io/DOutputStream.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Collects written bytes in memory. The buffer starts at 64 bytes and grows
// by 64, or to the need plus 64, never by doubling.
class DByteArrayOutputStream final : public DOutputStream {
public:
  static constexpr int32_t Growth = 64;

  DByteArrayOutputStream();

  using DOutputStream::write;

  // The whole buffer read as one readUTF string: its first two bytes are the
  // byte count of the modified UTF-8 text that follows.
  qel::lang::DStringPtr toString() const override;
  // A null b throws 0x05000080; off < 0, len < 0 or off + len past the
  // array throw 0x05800000.
  void write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  void write(int32_t v) override;
  void flush() override {}
  // Drops the buffer.
  void close() override;
  // Count 0, buffer kept.
  void reset() { count_ = 0; }

  // A new array of exactly the bytes written.
  qel::lang::DbyteArrayPtr toByteArray() const;
  int32_t size() const { return count_; }
  // The buffer's length, 0 once closed.
  int32_t capacity() const;

private:
  void grow(int32_t length);

  qel::lang::DbyteArrayPtr buffer_;
  int32_t count_ = 0;
};

}  // namespace qel::io
