// Feeds any byte string to a response head as the connection does, in runs
// whose lengths the first byte chooses, growing the receive buffer up to the
// head limit. Every outcome but a framework exception or a head that is
// complete, failed or waiting is a fault; a complete head leaves the body
// bytes in the buffer.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "lang/DExceptionBase.h"
#include "microedition/io/DHttpConnection.h"
#include "microedition/io/HttpResponseHead.h"
#include "util/DCyclicBuf.h"
#include "util/DHashtable.h"

using qel::io::DHttpConnection;
using qel::io::HttpResponseHead;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 1 << 17) return 0;
  const size_t run = 1 + data[0] % 64;
  ++data;
  --size;
  qel::util::DCyclicBufPtr buffer = new qel::util::DCyclicBuf(DHttpConnection::ResponseBufferSize);
  HttpResponseHead head(new qel::util::DHashtable(11, 75), DHttpConnection::HeadLimit);
  size_t given = 0;
  try {
    while (head.takeLines(*buffer) < HttpResponseHead::Complete && given < size) {
      int32_t room = 0;
      uint8_t* free = buffer->getFreeSpace(&room);
      if (!free) {
        if (buffer->capacity() >= DHttpConnection::HeadLimit) break;
        buffer->grow(1024);
        free = buffer->getFreeSpace(&room);
      }
      const size_t n = std::min({run, size - given, static_cast<size_t>(room)});
      std::copy(data + given, data + given + n, free);
      buffer->commitWrite(static_cast<int32_t>(n));
      given += n;
    }
  } catch (const qel::lang::DExceptionBase&) {
    if (head.progress() != HttpResponseHead::Failed) std::abort();
    return 0;
  }
  if (head.progress() == HttpResponseHead::Complete && static_cast<size_t>(buffer->stored()) > given) std::abort();
  return 0;
}
