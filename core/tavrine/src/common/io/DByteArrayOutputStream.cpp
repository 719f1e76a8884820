#include "io/DByteArrayOutputStream.h"

#include <algorithm>
#include <cstring>

#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DByteArrayOutputStream::DByteArrayOutputStream() : buffer_(new DbyteArray(Growth)) {}

qel::lang::DStringPtr DByteArrayOutputStream::toString() const {
  DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(buffer_));
  return in->readUTF();
}

void DByteArrayOutputStream::write(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (!b) throwException(ExceptionCode::NullPointer);
  if (off < 0 || len < 0 || int64_t{off} + len > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  if (len > capacity() - count_) grow(count_ + len + Growth);
  if (len > 0) std::memcpy(buffer_->data() + count_, b->data() + off, static_cast<size_t>(len));
  count_ += len;
}

void DByteArrayOutputStream::write(int32_t v) {
  if (count_ >= capacity()) grow(capacity() + Growth);
  buffer_->data()[count_++] = static_cast<int8_t>(v);
}

void DByteArrayOutputStream::close() {
  buffer_.release();
  count_ = 0;
}

DbyteArrayPtr DByteArrayOutputStream::toByteArray() const {
  DbyteArrayPtr bytes = new DbyteArray(count_);
  if (count_ > 0) std::memcpy(bytes->data(), buffer_->data(), static_cast<size_t>(count_));
  return bytes;
}

int32_t DByteArrayOutputStream::capacity() const { return buffer_ ? buffer_->length() : 0; }

void DByteArrayOutputStream::grow(int32_t length) {
  DbyteArrayPtr grown = new DbyteArray(length);
  count_ = std::min(count_, length);
  if (count_ > 0) std::memcpy(grown->data(), buffer_->data(), static_cast<size_t>(count_));
  buffer_ = grown;
}

}  // namespace qel::io
