#include "io/DByteArrayInputStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArrayPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DByteArrayInputStream::DByteArrayInputStream(DbyteArrayPtr data) : data_(std::move(data)) {
  if (!data_) throwException(ExceptionCode::NullPointer);
  count_ = data_->length();
}

int32_t DByteArrayInputStream::readRaw(uint8_t* buf, int32_t len) {
  if (!buf) throwException(ExceptionCode::NullPointer);
  if (len < 0) throwException(ExceptionCode::IndexOutOfBounds);
  int32_t count = std::min(len, available());
  if (count > 0) std::memcpy(buf, data_->data() + position_, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int32_t DByteArrayInputStream::read(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (!b) throwException(ExceptionCode::NullPointer);
  if (off < 0 || len < 0 || int64_t{off} + len > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  if (position_ >= count_) return -1;
  int32_t count = std::min(len, available());
  if (count > 0) std::memcpy(b->data() + off, data_->data() + position_, static_cast<size_t>(count));
  position_ += count;
  return count;
}

int32_t DByteArrayInputStream::read() {
  if (position_ >= count_) return -1;
  return static_cast<uint8_t>(data_->data()[position_++]);
}

void DByteArrayInputStream::close() {
  data_.release();
  count_ = 0;
  position_ = 0;
}

int64_t DByteArrayInputStream::skip(int64_t n) {
  int64_t distance = std::clamp<int64_t>(n, 0, available());
  position_ += static_cast<int32_t>(distance);
  return distance;
}

uint8_t* DByteArrayInputStream::getData() { return data_ ? reinterpret_cast<uint8_t*>(data_->data()) : nullptr; }

int32_t DByteArrayInputStream::getDataLength() { return data_ ? data_->length() : 0; }

qel::lang::DStringPtr DByteArrayInputStream::getName() { return new qel::lang::DString(); }

DArchivePtr DByteArrayInputStream::getArchive() { return nullptr; }

}  // namespace qel::io
