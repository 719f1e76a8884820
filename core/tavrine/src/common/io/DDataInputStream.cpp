#include "io/DDataInputStream.h"

#include <utility>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DDataInputStream::DDataInputStream(DInputStreamPtr in) : in_(std::move(in)) {}

int32_t DDataInputStream::available() { return in_->available(); }
int32_t DDataInputStream::readRaw(uint8_t* buf, int32_t len) { return in_->readRaw(buf, len); }
int32_t DDataInputStream::read(const DbyteArrayPtr& b, int32_t off, int32_t len) { return in_->read(b, off, len); }
int32_t DDataInputStream::read(const DbyteArrayPtr& b) { return in_->read(b); }
int32_t DDataInputStream::read() { return in_->read(); }
void DDataInputStream::close() { in_->close(); }
void DDataInputStream::reset() { in_->reset(); }
int64_t DDataInputStream::skip(int64_t n) { return in_->skip(n); }
int64_t DDataInputStream::getPosition() { return in_->getPosition(); }
DStringPtr DDataInputStream::getName() { return in_->getName(); }

int32_t DDataInputStream::readByte() { return static_cast<int8_t>(readBigEndian(1)); }
int32_t DDataInputStream::readUnsignedByte() { return static_cast<int32_t>(readBigEndian(1)); }
int32_t DDataInputStream::readShort() { return static_cast<int16_t>(readBigEndian(2)); }
int32_t DDataInputStream::readUnsignedShort() { return static_cast<int32_t>(readBigEndian(2)); }
int32_t DDataInputStream::readInt() { return static_cast<int32_t>(readBigEndian(4)); }
int32_t DDataInputStream::readShortLE() { return static_cast<int16_t>(readLittleEndian(2)); }
int32_t DDataInputStream::readUnsignedShortLE() { return static_cast<int32_t>(readLittleEndian(2)); }
int32_t DDataInputStream::readIntLE() { return static_cast<int32_t>(readLittleEndian(4)); }
uint32_t DDataInputStream::readUnsignedIntLE() { return readLittleEndian(4); }

void DDataInputStream::readFully(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  int32_t n = 0;
  while (n < len) {
    int32_t count = in_->read(b, off + n, len - n);
    if (count <= 0) throwException(ExceptionCode::EndOfFile);
    n += count;
  }
}

void DDataInputStream::readFully(const DbyteArrayPtr& b) { readFully(b, 0, b->length()); }

DStringPtr DDataInputStream::readUTF() {
  DbyteArrayPtr bytes = new DbyteArray(readUnsignedShort());
  readFully(bytes);
  return DString::fromUTF8(bytes);
}

DStringPtr DDataInputStream::readUTF(const DDataInputStreamPtr& in) { return in->readUTF(); }

uint32_t DDataInputStream::readBigEndian(int count) {
  int32_t bytes[4];
  for (int i = 0; i < count; ++i) bytes[i] = in_->read();
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) {
    if (bytes[i] < 0) throwException(ExceptionCode::EndOfFile);
    value = (value << 8) | static_cast<uint32_t>(bytes[i] & 0xFF);
  }
  return value;
}

uint32_t DDataInputStream::readLittleEndian(int count) {
  int32_t bytes[4];
  for (int i = 0; i < count; ++i) bytes[i] = in_->read();
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    if (bytes[i] < 0) throwException(ExceptionCode::EndOfFile);
    value = (value << 8) | static_cast<uint32_t>(bytes[i] & 0xFF);
  }
  return value;
}

}  // namespace qel::io
