#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DString.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

// Variable-length fields of the zip records.
struct ZipFields {
  // length bytes of 8-bit text, kept up to the first zero byte.
  static qel::lang::DStringPtr readText(DDataInputStream& in, int32_t length);
  // length bytes, or null when length is 0.
  static qel::lang::DbyteArrayPtr readExtra(DDataInputStream& in, int32_t length);

  // The run of fields the local and the central entry record share, from
  // "version needed" to the extra field's length.
  template <class Header>
  static void readEntryFields(DDataInputStream& in, Header& header) {
    header.versionNeeded = in.readUnsignedShortLE();
    header.flags = in.readUnsignedShortLE();
    header.method = in.readUnsignedShortLE();
    header.modificationTime = in.readUnsignedShortLE();
    header.modificationDate = in.readUnsignedShortLE();
    header.crc32 = in.readUnsignedIntLE();
    header.compressedSize = in.readUnsignedIntLE();
    header.uncompressedSize = in.readUnsignedIntLE();
    header.nameLength = in.readUnsignedShortLE();
    header.extraLength = in.readUnsignedShortLE();
  }
};

}  // namespace qel::io
