#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "io/DZipCentralDirectoryHeader.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// A zip central directory header, its fields in file order. Sizes and the
// local header offset hold the Zip64 extra field's values where the 32-bit
// fields are 0xFFFFFFFF.
class DZipCentralDirectoryHeader final : public qel::lang::DObject {
public:
  static constexpr uint32_t Signature = 0x02014b50;

  static constexpr uint32_t Zip64Marker = 0xFFFFFFFF;

  // The fields after the signature, from the stream's position. A stream
  // that ends inside them throws 0x06000002; a Zip64 marker without its
  // value in the extra field throws 0x06000000.
  static DZipCentralDirectoryHeaderPtr read(DDataInputStream& in, int64_t recordOffset);

  uint32_t signature = Signature;
  int32_t versionMadeBy = 0;
  int32_t versionNeeded = 0;
  int32_t flags = 0;
  int32_t method = 0;
  int32_t modificationTime = 0;
  int32_t modificationDate = 0;
  uint32_t crc32 = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  int32_t nameLength = 0;
  int32_t extraLength = 0;
  int32_t commentLength = 0;
  int32_t diskNumberStart = 0;
  int32_t internalAttributes = 0;
  uint32_t externalAttributes = 0;
  uint64_t localHeaderOffset = 0;
  qel::lang::DStringPtr name;
  qel::lang::DbyteArrayPtr extra;
  qel::lang::DStringPtr comment;
  int64_t recordOffset = 0;

private:
  void readZip64Values();
};

}  // namespace qel::io
