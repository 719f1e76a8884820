#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "io/DZipEndOfCentralDirectoryHeader.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"

namespace qel::io {

// The zip end of central directory record, its fields in file order.
class DZipEndOfCentralDirectoryHeader final : public qel::lang::DObject {
public:
  static constexpr uint32_t Signature = 0x06054b50;
  // The record without its comment.
  static constexpr int32_t FixedSize = 22;

  // The fields after the signature, from the stream's position. A stream
  // that ends inside them throws 0x06000002.
  static DZipEndOfCentralDirectoryHeaderPtr read(DDataInputStream& in, int64_t recordOffset);

  uint32_t signature = Signature;
  int32_t thisDisk = 0;
  int32_t centralDirectoryDisk = 0;
  int32_t entriesOnThisDisk = 0;
  int32_t totalEntries = 0;
  uint32_t centralDirectorySize = 0;
  uint32_t centralDirectoryOffset = 0;
  int32_t commentLength = 0;
  qel::lang::DStringPtr comment;
  int64_t recordOffset = 0;
};

}  // namespace qel::io
