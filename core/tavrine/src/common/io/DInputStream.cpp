#include "io/DInputStream.h"

#include <algorithm>

#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

int32_t DInputStream::readRaw(uint8_t* buf, int32_t len) {
  if (!buf) throwException(ExceptionCode::NullPointer);
  if (len < 0) throwException(ExceptionCode::IndexOutOfBounds);
  int32_t count = 0;
  while (count < len) {
    int32_t byte = read();
    if (byte < 0) return count > 0 ? count : -1;
    buf[count++] = static_cast<uint8_t>(byte);
  }
  return count;
}

int32_t DInputStream::read(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (!b) throwException(ExceptionCode::NullPointer);
  if (off < 0 || len < 0 || int64_t{off} + len > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  int32_t count = 0;
  while (count < len) {
    int32_t byte = read();
    if (byte < 0) return count > 0 ? count : -1;
    b->data()[off + count++] = static_cast<int8_t>(byte);
  }
  return count;
}

int32_t DInputStream::read(const DbyteArrayPtr& b) { return read(b, 0, b->length()); }

uint8_t* DInputStream::getData() {
  if (!dataCache_) {
    DbyteArrayPtr cache = new DbyteArray(std::max(available(), 0));
    int32_t length = cache->length();
    // read(cache) runs even for an empty cache: a file stream refuses it.
    int32_t filled = read(cache);
    while (filled < length) {
      if (filled < 0) throwException(ExceptionCode::EndOfFile);
      int32_t count = read(cache, filled, length - filled);
      if (count <= 0) throwException(ExceptionCode::EndOfFile);
      filled += count;
    }
    dataCache_ = cache;
  }
  return reinterpret_cast<uint8_t*>(dataCache_->data());
}

int32_t DInputStream::getDataLength() {
  if (!dataCache_) getData();
  return dataCache_->length();
}

void DInputStream::releaseData() { dataCache_.release(); }

}  // namespace qel::io
