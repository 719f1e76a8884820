#pragma once

#include <cstdint>

#include "util/DCyclicBuf.h"

namespace qel::io {

// Decodes an HTTP chunked body as its bytes come in, in pieces of any size:
// chunk sizes in hexadecimal (extensions skipped), chunk data, and the
// trailer lines after the last chunk. Bytes after the body are ignored.
class ChunkedBodyDecoder {
public:
  // Appends the body bytes contained in in[0 .. n) to out, which must have
  // room for n bytes.
  void feed(const uint8_t* in, int32_t n, qel::util::DCyclicBuf& out);

  bool finished() const { return phase_ == Phase::Done; }
  bool failed() const { return phase_ == Phase::Failed; }
  // Whether the last chunk has come: the body is whole, trailer or not.
  bool bodyComplete() const { return phase_ == Phase::Trailer || phase_ == Phase::Done; }

private:
  enum class Phase { Size, Extension, Data, DataEnd, Trailer, Done, Failed };

  void sizeByte(uint8_t byte);
  void endSizeLine();
  void dataEndByte(uint8_t byte);
  void trailerByte(uint8_t byte);

  static constexpr uint64_t MaxChunkSize = 0x7fffffff;

  Phase phase_ = Phase::Size;
  uint64_t size_ = 0;
  int digits_ = 0;
  uint64_t remaining_ = 0;
  int lineLength_ = 0;
};

}  // namespace qel::io
