// Reads any byte string as a chunked HTTP body through DHttpInputStream, the
// peer's bytes ready in runs and the reads (single bytes, blocks, available)
// mixed as the first two bytes choose. A fault: anything thrown but the I/O
// exception, more bytes handed out than sent, more decoded ahead than the
// stream's buffer holds, or a read after the end that is not the end.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lang/DExceptionBase.h"
#include "microedition/io/DHttpInputStream.h"
#include "tests/core/tavrine/src/common/microedition/io/PeerBytes.h"

using qel::io::DHttpInputStream;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 1 << 20) return 0;
  const size_t run = 1 + data[0] % 128;
  const int32_t block = 1 + data[1] % 64;
  const std::string wire(reinterpret_cast<const char*>(data + 2), size - 2);
  qel::io::DInputStreamPtr in =
      new DHttpInputStream(new nvtest::PeerBytes(wire, run), nullptr, new qel::lang::DString(u"fuzz"), true);
  uint8_t buffer[64];
  size_t out = 0;
  try {
    for (int step = 0;; ++step) {
      if (in->available() > DHttpInputStream::DecodedBufferSize) std::abort();
      const int32_t n = step % 3 == 0 ? (in->read() >= 0 ? 1 : -1) : in->readRaw(buffer, block);
      if (n < 0) break;
      out += static_cast<size_t>(n);
      if (out > wire.size()) std::abort();
      if (n == 0 && step > static_cast<int>(wire.size()) + 8) std::abort();
    }
    if (in->read() != -1) std::abort();
  } catch (const qel::lang::DExceptionBase& e) {
    if (e.code() != qel::lang::ExceptionCode::IO) std::abort();
  }
  return 0;
}
