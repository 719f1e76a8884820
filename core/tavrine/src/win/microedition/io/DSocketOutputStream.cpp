#include "microedition/io/DSocketOutputStream.h"

#include <algorithm>

#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"
#include "microedition/io/DSocketConnection.h"

namespace qel::io {

DSocketOutputStream::DSocketOutputStream(DSocketConnectionPtr connection) : connection_(std::move(connection)) {}

int32_t DSocketOutputStream::writeRaw(const uint8_t* src, int32_t len) {
  if (!connection_ || connection_->getState() != DConnection::Connected)
    qel::lang::throwException(qel::lang::ExceptionCode::IO);
  const int32_t queued = connection_->queueBytes(src, len);
  if (queued > 0 || len < 1) return queued;
  qel::lang::throwException(qel::lang::ExceptionCode::IO);
}

void DSocketOutputStream::write(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (off < 0 || off > b->length()) qel::lang::throwException(qel::lang::ExceptionCode::IndexOutOfBounds);
  const int32_t fit = std::min(len, b->length() - off);
  // An empty write still reports a connection that is not connected.
  const uint8_t none = 0;
  writeRaw(fit > 0 ? reinterpret_cast<const uint8_t*>(b->data()) + off : &none, std::max(fit, 0));
}

void DSocketOutputStream::write(int32_t v) {
  const uint8_t byte = static_cast<uint8_t>(v);
  writeRaw(&byte, 1);
}

}  // namespace qel::io
