#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "lang/DExceptionBase.h"
#include "lang/DObject.h"

namespace qel::lang {

// Fixed-length array of one primitive element type. The storage is null
// when the length is below 1; element access tests the index.
template <class E>
class DPrimitiveArray : public DObject {
public:
  using Element = E;

  int32_t length() const { return length_; }
  E* data() { return data_.get(); }
  const E* data() const { return data_.get(); }

  // Index < 0 or >= length throws 0x05800001.
  E& at(int32_t index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(length_))
      throwException(ExceptionCode::ArrayIndexOutOfBounds);
    return data_[index];
  }
  const E& at(int32_t index) const { return const_cast<DPrimitiveArray*>(this)->at(index); }

protected:
  // length zero elements; a negative length makes an empty array.
  explicit DPrimitiveArray(int32_t length)
      : length_(length > 0 ? length : 0), data_(length_ > 0 ? std::make_unique<E[]>(length_) : nullptr) {}

  // The value-list form: exactly length values, each converted from int.
  DPrimitiveArray(int32_t length, std::initializer_list<int> values, E (*convert)(int))
      : DPrimitiveArray(valueListLength(length, values)) {
    std::transform(values.begin(), values.end(), data_.get(), convert);
  }

private:
  static int32_t valueListLength(int32_t length, std::initializer_list<int> values) {
    if (length < 0 || static_cast<size_t>(length) != values.size()) throwException(ExceptionCode::IllegalArgument);
    return length;
  }

  int32_t length_;
  std::unique_ptr<E[]> data_;
};

}  // namespace qel::lang
