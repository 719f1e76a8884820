// Feeds any byte string to the chunked-body decoder in runs whose lengths the
// first byte chooses, into a buffer with room for each run (and as many bytes
// more as the second byte says), as the HTTP body stream gives it. A fault:
// more bytes out than in, or a decoder that leaves its end or failure once
// there.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "microedition/io/ChunkedBodyDecoder.h"
#include "util/DCyclicBuf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 1 << 20) return 0;
  const size_t run = 1 + data[0] % 64;
  const int32_t extra = data[1] % 64;
  data += 2;
  size -= 2;
  qel::io::ChunkedBodyDecoder decoder;
  qel::util::DCyclicBufPtr out = new qel::util::DCyclicBuf(static_cast<int32_t>(run) + extra);
  bool ended = false;
  for (size_t at = 0; at < size; at += run) {
    const auto n = static_cast<int32_t>(std::min(run, size - at));
    out->clear();
    decoder.feed(data + at, n, *out);
    if (out->stored() > n) std::abort();
    const bool endNow = decoder.finished() || decoder.failed();
    if (ended && !endNow) std::abort();
    if (decoder.finished() && !decoder.bodyComplete()) std::abort();
    ended = endNow;
  }
  return 0;
}
