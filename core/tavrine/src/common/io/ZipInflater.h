#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// The raw deflate data of one zip entry, inflated whole.
class ZipInflater {
public:
  // Deflate never expands more than this many output bytes per input byte.
  static constexpr int64_t MaxRatio = 1032;

  // Reads compressedSize bytes from in, in chunks of at most 1024 bytes, and
  // inflates them into exactly uncompressedSize bytes. A damaged stream, an
  // output of any other size and data that end early throw 0x06000000 with
  // a message naming the entry.
  static qel::lang::DbyteArrayPtr inflate(DDataInputStream& in, int64_t compressedSize, int32_t uncompressedSize,
                                          const qel::lang::DStringPtr& name);
};

}  // namespace qel::io
