#pragma once

#include <cstdint>
#include <memory>

#include "lang/DExceptionBase.h"
#include "lang/DObject.h"
#include "lang/DPtr.h"

namespace qel::lang {

// Fixed-length array of counted references, each null at first. The storage
// is null when the length is below 1; element access tests the index.
template <class E>
class DRefArray : public DObject {
public:
  int32_t length() const { return length_; }
  DPtr<E>* data() { return data_.get(); }

  // Index < 0 or >= length throws 0x05800000.
  DPtr<E>& at(int32_t index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(length_)) throwException(ExceptionCode::IndexOutOfBounds);
    return data_[index];
  }
  const DPtr<E>& at(int32_t index) const { return const_cast<DRefArray*>(this)->at(index); }

protected:
  explicit DRefArray(int32_t length)
      : length_(length > 0 ? length : 0), data_(length_ > 0 ? std::make_unique<DPtr<E>[]>(length_) : nullptr) {}

  // The class name of the first element with suffix appended, or fallback
  // when the array is empty or its first element null.
  std::string firstElementClassName(const char* suffix, const char* fallback) const {
    if (length_ < 1 || !data_[0]) return fallback;
    return data_[0].get()->getClassName() + suffix;
  }

private:
  int32_t length_;
  std::unique_ptr<DPtr<E>[]> data_;
};

}  // namespace qel::lang
