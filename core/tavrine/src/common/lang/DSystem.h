#pragma once

#include <cstdint>

#include "lang/DboolArray.ptr.h"
#include "lang/DbyteArray.ptr.h"
#include "lang/DshortArray.ptr.h"

namespace qel::lang {

// The framework's static services.
class DSystem {
public:
  DSystem() = delete;

  // Copies min(length, dst length - dstPos) elements from src[srcPos] to
  // dst[dstPos]. Null arrays throw 0x05000080; negative positions or length,
  // or a position past its array's end, 0x05800000. Within one array the
  // elements go through a temporary and a source range past the end throws
  // 0x05800001 before anything is written; between two arrays the copy stops
  // silently at the end of the source.
  static void arraycopy(const DboolArrayPtr& src, int32_t srcPos, const DboolArrayPtr& dst, int32_t dstPos,
                        int32_t length);
  static void arraycopy(const DbyteArrayPtr& src, int32_t srcPos, const DbyteArrayPtr& dst, int32_t dstPos,
                        int32_t length);
  static void arraycopy(const DshortArrayPtr& src, int32_t srcPos, const DshortArrayPtr& dst, int32_t dstPos,
                        int32_t length);
};

}  // namespace qel::lang
