#pragma once

#include <cstdint>
#include <memory>

#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/io/ChunkedBodyDecoder.h"
#include "util/DCyclicBuf.ptr.h"

namespace qel::io {

// The body of an HTTP response: the bytes left in the response buffer after
// the head, then what the socket delivers, without waiting. A chunked body
// is handed out decoded, through a buffer of DecodedBufferSize bytes that is
// filled again only once it is empty. After close, available, read() and
// readRaw throw 0x05000080.
class DHttpInputStream final : public qel::io::DInputStream {
public:
  static constexpr int32_t DecodedBufferSize = 4096;

  DHttpInputStream(qel::io::DInputStreamPtr socketInput, qel::util::DCyclicBufPtr responseBuffer,
                   qel::lang::DStringPtr name, bool chunked);

  int32_t available() override;
  // A null dst or negative len throws 0x05400000. A chunked body that is
  // damaged, or whose source ends before its last chunk, throws 0x06000000
  // once the bytes decoded before are handed out.
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
  // Decodes what the source has ready while the buffer has room; false once
  // the source has ended.
  bool decodeReady();
  // The decoded bytes for dst, refilling the buffer while the source has more
  // ready; false once the source has ended.
  bool takeDecoded(uint8_t* dst, int32_t len, int32_t& count);

  qel::io::DInputStreamPtr socketInput_;
  qel::util::DCyclicBufPtr responseBuffer_;
  qel::lang::DStringPtr name_;
  std::unique_ptr<ChunkedBodyDecoder> decoder_;
  qel::util::DCyclicBufPtr decoded_;
};

}  // namespace qel::io
