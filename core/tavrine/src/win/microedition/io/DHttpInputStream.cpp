#include "microedition/io/DHttpInputStream.h"

#include <algorithm>
#include <array>

#include "lang/DExceptionBase.h"
#include "lang/DbyteArray.h"
#include "util/DCyclicBuf.h"

namespace qel::io {

using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DHttpInputStream::DHttpInputStream(qel::io::DInputStreamPtr socketInput, qel::util::DCyclicBufPtr responseBuffer,
                                   qel::lang::DStringPtr name, bool chunked)
    : socketInput_(std::move(socketInput)),
      responseBuffer_(std::move(responseBuffer)),
      name_(std::move(name)),
      decoder_(chunked ? std::make_unique<ChunkedBodyDecoder>() : nullptr),
      decoded_(chunked ? new qel::util::DCyclicBuf(DecodedBufferSize) : nullptr) {}

int32_t DHttpInputStream::sourceAvailable() {
  const int32_t buffered = responseBuffer_ ? responseBuffer_->stored() : 0;
  if (responseBuffer_ && buffered == 0) responseBuffer_.release();
  return socketInput_->available() + buffered;
}

int32_t DHttpInputStream::sourceRead() {
  if (responseBuffer_ && responseBuffer_->stored() > 0) return responseBuffer_->read();
  responseBuffer_.release();
  return socketInput_->read();
}

int32_t DHttpInputStream::sourceReadRaw(uint8_t* dst, int32_t len) {
  const int32_t copied = responseBuffer_ ? std::max(responseBuffer_->read(dst, len), 0) : 0;
  if (copied == len) return copied;
  const int32_t more = socketInput_->readRaw(dst + copied, len - copied);
  if (more < 0) return copied > 0 ? copied : -1;
  return copied + more;
}

bool DHttpInputStream::decodeReady() {
  std::array<uint8_t, 1024> block;
  while (!decoder_->finished() && !decoder_->failed() && sourceAvailable() > 0) {
    // Decoding never makes more bytes than it is given.
    const int32_t room = std::min(decoded_->capacity() - decoded_->stored(), static_cast<int32_t>(block.size()));
    if (room == 0) break;
    const int32_t n = sourceReadRaw(block.data(), room);
    if (n < 0) return false;
    if (n == 0) break;
    decoder_->feed(block.data(), n, *decoded_);
  }
  return true;
}

bool DHttpInputStream::takeDecoded(uint8_t* dst, int32_t len, int32_t& count) {
  count = decoded_->read(dst, len);
  while (count < len) {
    if (!decodeReady()) return false;
    if (decoded_->stored() == 0) break;
    count += decoded_->read(dst + count, len - count);
  }
  return true;
}

int32_t DHttpInputStream::available() {
  if (!decoder_) return sourceAvailable();
  if (!socketInput_) throwException(ExceptionCode::NullPointer);
  if (decoded_->stored() == 0) decodeReady();
  return decoded_->stored();
}

int32_t DHttpInputStream::readRaw(uint8_t* dst, int32_t len) {
  if (!dst || len < 0) throwException(ExceptionCode::IllegalArgument);
  if (!decoder_) return sourceReadRaw(dst, len);
  if (!socketInput_) throwException(ExceptionCode::NullPointer);
  int32_t count = 0;
  const bool sourceOpen = takeDecoded(dst, len, count);
  if (count > 0 || len == 0) return count;
  if (decoder_->failed()) throwException(ExceptionCode::IO);
  if (decoder_->bodyComplete()) return -1;
  if (!sourceOpen || socketInput_->readRaw(dst, 0) < 0) throwException(ExceptionCode::IO);
  return 0;
}

int32_t DHttpInputStream::read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (off < 0 || off > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  // A negative length reaches readRaw, which refuses it.
  const int32_t fit = std::min(len, b->length() - off);
  uint8_t none = 0;
  return readRaw(fit > 0 ? reinterpret_cast<uint8_t*>(b->data()) + off : &none, fit);
}

int32_t DHttpInputStream::read() {
  if (!decoder_) return sourceRead();
  uint8_t byte = 0;
  return readRaw(&byte, 1) == 1 ? byte : -1;
}

void DHttpInputStream::close() {
  socketInput_.release();
  responseBuffer_.release();
  if (decoded_) decoded_->clear();
}

}  // namespace qel::io
