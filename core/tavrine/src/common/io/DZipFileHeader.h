#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "io/DZipFileHeader.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// A zip local file header, its fields in file order.
class DZipFileHeader final : public qel::lang::DObject {
public:
  static constexpr uint32_t Signature = 0x04034b50;

  // The fields after the signature, from the stream's position; the data
  // offset becomes the position after the extra field. A stream that ends
  // inside them throws 0x06000002.
  static DZipFileHeaderPtr read(DDataInputStream& in, int64_t recordOffset);

  uint32_t signature = Signature;
  int32_t versionNeeded = 0;
  int32_t flags = 0;
  int32_t method = 0;
  int32_t modificationTime = 0;
  int32_t modificationDate = 0;
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  int32_t nameLength = 0;
  int32_t extraLength = 0;
  qel::lang::DStringPtr name;
  qel::lang::DbyteArrayPtr extra;
  int64_t dataOffset = 0;
  int64_t recordOffset = 0;
};

}  // namespace qel::io
