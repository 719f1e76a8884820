#include "microedition/io/DSocketInputStream.h"

#include <algorithm>

#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"
#include "microedition/io/DSocketConnection.h"
#include "util/DCyclicBuf.h"

namespace qel::io {

DSocketInputStream::DSocketInputStream(DSocketConnectionPtr connection) : connection_(std::move(connection)) {}

int32_t DSocketInputStream::available() { return connection_->pollReceive(); }

int32_t DSocketInputStream::readRaw(uint8_t* dst, int32_t len) {
  if (!dst || len < 0) qel::lang::throwException(qel::lang::ExceptionCode::IllegalArgument);
  if (!connection_) return -1;
  const qel::util::DCyclicBufPtr& ring = connection_->receiveRing();
  const bool connected = connection_->getState() == DConnection::Connected;
  if (!connected && ring->stored() < 1) return -1;
  int32_t count = ring->read(dst, len);
  if (count == len || !connected) return count;
  while (count < len && available() > 0) count += ring->read(dst + count, len - count);
  return count;
}

int32_t DSocketInputStream::read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (off < 0 || off > b->length()) qel::lang::throwException(qel::lang::ExceptionCode::IndexOutOfBounds);
  // A negative length reaches readRaw, which refuses it.
  const int32_t fit = std::min(len, b->length() - off);
  uint8_t none = 0;
  return readRaw(fit > 0 ? reinterpret_cast<uint8_t*>(b->data()) + off : &none, fit);
}

int32_t DSocketInputStream::read() {
  if (available() < 1) return -1;
  uint8_t byte = 0;
  if (readRaw(&byte, 1) < 1) return -1;
  return byte;
}

void DSocketInputStream::close() { connection_.release(); }

qel::lang::DStringPtr DSocketInputStream::getName() { return connection_->getName(); }

}  // namespace qel::io
