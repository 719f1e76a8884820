#include "lang/DSystem.h"

#include <algorithm>
#include <vector>

#include "lang/DboolArray.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"

namespace qel::lang {

namespace {

template <class Array>
void copyElements(const DPtr<Array>& src, int32_t srcPos, const DPtr<Array>& dst, int32_t dstPos, int32_t length) {
  if (!src || !dst) throwException(ExceptionCode::NullPointer);
  if (srcPos < 0 || dstPos < 0 || length < 0 || srcPos > src->length() || dstPos > dst->length())
    throwException(ExceptionCode::IndexOutOfBounds);
  int32_t count = std::min(length, dst->length() - dstPos);
  if (src == dst) {
    std::vector<typename Array::Element> temporary;
    temporary.reserve(count);
    for (int32_t i = 0; i < count; ++i) temporary.push_back(src->at(srcPos + i));
    if (count > 0) std::copy(temporary.begin(), temporary.end(), dst->data() + dstPos);
    return;
  }
  int32_t available = std::min(count, src->length() - srcPos);
  if (available > 0) std::copy_n(src->data() + srcPos, available, dst->data() + dstPos);
}

}  // namespace

void DSystem::arraycopy(const DboolArrayPtr& src, int32_t srcPos, const DboolArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DbyteArrayPtr& src, int32_t srcPos, const DbyteArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

void DSystem::arraycopy(const DshortArrayPtr& src, int32_t srcPos, const DshortArrayPtr& dst, int32_t dstPos,
                        int32_t length) {
  copyElements(src, srcPos, dst, dstPos, length);
}

}  // namespace qel::lang
