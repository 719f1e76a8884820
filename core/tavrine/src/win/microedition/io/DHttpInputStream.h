#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/io/ChunkedBodyDecoder.h"
#include "util/DCyclicBuf.ptr.h"

namespace qel::io {

// The body of an HTTP response: the bytes left in the response buffer after
// the head, then what the socket delivers, without waiting. A chunked body
// is handed out decoded. After close, available, read() and readRaw throw
// 0x05000080.
class DHttpInputStream final : public qel::io::DInputStream {
public:
  DHttpInputStream(qel::io::DInputStreamPtr socketInput, qel::util::DCyclicBufPtr responseBuffer,
                   qel::lang::DStringPtr name, bool chunked);

  int32_t available() override;
  // A null dst or negative len throws 0x05400000; a damaged chunked body 0x06000000.
  int32_t readRaw(uint8_t* dst, int32_t len) override;
  int32_t read(const qel::lang::DbyteArrayPtr& b, int32_t off, int32_t len) override;
  using qel::io::DInputStream::read;
  int32_t read() override;
  void close() override;
  int64_t skip(int64_t) override { return 0; }
  int64_t getPosition() override { return -1; }
  qel::lang::DStringPtr getName() override { return name_; }

private:
  // The undecoded bytes: the buffer's first, then the socket's.
  int32_t sourceAvailable();
  int32_t sourceRead();
  int32_t sourceReadRaw(uint8_t* dst, int32_t len);
  // Decodes what the source has ready; false once the source has ended.
  bool decodeReady();
  int32_t takeDecoded(uint8_t* dst, int32_t len);

  qel::io::DInputStreamPtr socketInput_;
  qel::util::DCyclicBufPtr responseBuffer_;
  qel::lang::DStringPtr name_;
  std::unique_ptr<ChunkedBodyDecoder> decoder_;
  std::vector<uint8_t> decoded_;
};

}  // namespace qel::io
