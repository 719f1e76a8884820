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
};

}  // namespace qel::io
