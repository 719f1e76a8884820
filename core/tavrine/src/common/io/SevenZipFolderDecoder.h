#pragma once

#include <cstdint>
#include <vector>

#include "io/DInputStream.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Decodes one 7z folder of a single coder (Copy, LZMA or LZMA2) from its
// packed bytes in a framework stream, with no libarchive reader.
class SevenZipFolderDecoder {
public:
  enum class Method { Copy, Lzma, Lzma2, Other };

  struct Folder {
    int64_t packOffset = 0;  // from the start of the stream
    int64_t packSize = 0;
    Method method = Method::Other;
    std::vector<uint8_t> properties;
  };

  // Exactly size bytes of output. Packed data that end early, damaged data
  // and data that decode to another size throw 0x06000000 naming the entry.
  // The output grows with the data actually decoded, never beyond size.
  static qel::lang::DbyteArrayPtr decode(DInputStream& source, const Folder& folder, int32_t size,
                                         const qel::lang::DStringPtr& name);
};

}  // namespace qel::io
