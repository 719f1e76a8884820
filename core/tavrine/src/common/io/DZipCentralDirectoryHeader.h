#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "io/DZipCentralDirectoryHeader.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// A zip central directory header, its fields in file order.
class DZipCentralDirectoryHeader final : public qel::lang::DObject {
public:
  static constexpr uint32_t Signature = 0x02014b50;

  // The fields after the signature, from the stream's position. A stream
  // that ends inside them throws 0x06000002.
  static DZipCentralDirectoryHeaderPtr read(DDataInputStream& in, int64_t recordOffset);

  uint32_t signature = Signature;
  int32_t versionMadeBy = 0;
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
  int32_t commentLength = 0;
  int32_t diskNumberStart = 0;
  int32_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint32_t localHeaderOffset = 0;
  qel::lang::DStringPtr name;
  qel::lang::DbyteArrayPtr extra;
  qel::lang::DStringPtr comment;
  int64_t recordOffset = 0;
};

}  // namespace qel::io
