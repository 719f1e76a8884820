#include "microedition/io/DHttpInputStream.h"

#include <algorithm>
#include <array>
#include <cstring>

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
      decoder_(chunked ? std::make_unique<ChunkedBodyDecoder>() : nullptr) {}

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
    const int32_t n = sourceReadRaw(block.data(), static_cast<int32_t>(block.size()));
    if (n < 0) return false;
    if (n == 0) break;
    decoder_->feed(block.data(), n, decoded_);
  }
  return true;
}

int32_t DHttpInputStream::takeDecoded(uint8_t* dst, int32_t len) {
  const int32_t n = std::min(len, static_cast<int32_t>(decoded_.size()));
  std::memcpy(dst, decoded_.data(), static_cast<size_t>(n));
  decoded_.erase(decoded_.begin(), decoded_.begin() + n);
  return n;
}

int32_t DHttpInputStream::available() {
  if (!decoder_) return sourceAvailable();
  if (!socketInput_) throwException(ExceptionCode::NullPointer);
  decodeReady();
  return static_cast<int32_t>(decoded_.size());
}

int32_t DHttpInputStream::readRaw(uint8_t* dst, int32_t len) {
  if (!dst || len < 0) throwException(ExceptionCode::IllegalArgument);
  if (!decoder_) return sourceReadRaw(dst, len);
  if (!socketInput_) throwException(ExceptionCode::NullPointer);
  const bool sourceOpen = decodeReady();
  if (!decoded_.empty() || len == 0) return takeDecoded(dst, len);
  if (decoder_->failed()) throwException(ExceptionCode::IO);
  return decoder_->finished() || !sourceOpen || socketInput_->readRaw(dst, 0) < 0 ? -1 : 0;
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
  decoded_.clear();
}

}  // namespace qel::io
