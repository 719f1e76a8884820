#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DbyteArray.h"
#include "util/DCyclicBuf.ptr.h"

namespace qel::util {

// Byte ring over one store. Besides copying reads and writes it hands out
// its contiguous free run for a direct write (getFreeSpace, then
// commitWrite); while that is open, the block read, write and grow refuse.
// No lock: the owner serialises access.
class DCyclicBuf final : public qel::lang::DObject {
public:
  explicit DCyclicBuf(int32_t capacity);

  int32_t capacity() const;
  int32_t stored() const { return stored_; }
  int32_t readIndex() const { return readIndex_; }
  int32_t writeIndex() const { return writeIndex_; }

  // Up to len bytes: the count, -1 while a direct write is open.
  int32_t read(uint8_t* dst, int32_t len);
  // One byte 0 .. 255, or -1 when empty; ignores an open direct write.
  int32_t read();
  // Stores what fits of len bytes: the count, -1 while a direct write is open.
  int32_t write(const uint8_t* src, int32_t len);
  // The contiguous free run at the write index (its length in len), opening
  // a direct write; null and len 0 when one is open or nothing is free.
  uint8_t* getFreeSpace(int32_t* len);
  // Closes the direct write, keeping at most the handed-out run of n bytes.
  void commitWrite(int32_t n);
  // Enlarges the store by extra (never below the stored count), the data
  // moved to its start: the new capacity, -1 while a direct write is open.
  int32_t grow(int32_t extra);
  // Distance of the first stored line feed from the read index, or -1.
  int32_t indexOf() const;
  // The same, looking only at the stored bytes from distance from on.
  int32_t indexOf(int32_t from) const;
  // Drops every stored byte; refused (false) while a direct write is open.
  bool clear();

private:
  uint8_t* bytes() const;

  qel::lang::DbyteArrayPtr store_;
  int32_t readIndex_ = 0;
  int32_t writeIndex_ = 0;
  int32_t stored_ = 0;
  bool directWriteOpen_ = false;
};

}  // namespace qel::util
