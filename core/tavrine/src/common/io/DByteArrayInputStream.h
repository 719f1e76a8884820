#pragma once

#include <cstdint>

#include "io/DArchive.ptr.h"
#include "io/DByteArrayInputStream.ptr.h"
#include "io/DInputStream.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Reads a byte array held by the stream. The length is taken at
// construction; close() drops the array.
class DByteArrayInputStream : public DInputStream {
public:
  // A null array throws 0x05000080.
  explicit DByteArrayInputStream(qel::lang::DbyteArrayPtr data);

  using DInputStream::read;

  int32_t available() override { return count_ - position_; }
  // 0 at the end.
  int32_t readRaw(uint8_t* buf, int32_t len) override;
  // -1 at the end.
  int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  int32_t read() override;
  void close() override;
  void reset() override { position_ = 0; }
  // Moves by min(n, available()); a negative n moves nothing.
  int64_t skip(int64_t n) override;
  int64_t getPosition() override { return position_; }
  // The array's own storage.
  uint8_t* getData() override;
  int32_t getDataLength() override;
  void releaseData() override {}
  // Empty.
  qel::lang::DStringPtr getName() override;
  // The archive the bytes were extracted from: none here.
  virtual DArchivePtr getArchive();

private:
  qel::lang::DbyteArrayPtr data_;
  int32_t count_;
  int32_t position_ = 0;
};

}  // namespace qel::io
