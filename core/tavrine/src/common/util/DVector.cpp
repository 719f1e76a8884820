#include "util/DVector.h"

#include <algorithm>
#include <utility>

#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "util/DVectorEnumerator.h"

namespace qel::util {

using qel::lang::DObject;
using qel::lang::DObjectPtr;
using qel::lang::throwException;
using qel::lang::ExceptionCode::ArrayIndexOutOfBounds;

DVector::DVector(int32_t capacity) : capacity_(capacity) {
  if (capacity < 0) throwException(qel::lang::ExceptionCode::IllegalArgument);
  elements_ = std::make_unique<DObjectPtr[]>(capacity_);
}

void DVector::addElement(const DObjectPtr& element) {
  if (!element) qel::lang::throwNullPointer();
  ensureCapacity(size_ + 1);
  elements_[size_++] = element;
}

DObject* DVector::elementAt(int32_t index) const {
  checkIndex(index);
  return elements_[index].get();
}

void DVector::removeElementAt(int32_t index) {
  checkIndex(index);
  DObjectPtr removed = std::move(elements_[index]);
  std::move(&elements_[index + 1], &elements_[size_], &elements_[index]);
  --size_;
}

bool DVector::removeElement(const DObjectPtr& element) {
  int32_t index = indexOf(element);
  if (index < 0) return false;
  removeElementAt(index);
  return true;
}

void DVector::removeAllElements() { setSize(0); }

bool DVector::contains(const DObjectPtr& element) const { return indexOf(element) >= 0; }

int32_t DVector::indexOf(const DObjectPtr& element) const {
  for (int32_t i = 0; i < size_; ++i) {
    if (elements_[i]->equals(element.get())) return i;
  }
  return -1;
}

void DVector::copyInto(const qel::lang::DObjectArrayPtr& array) const {
  int32_t count = std::min(size_, array->length());
  for (int32_t i = 0; i < count; ++i) array->at(i) = elements_[i];
}

void DVector::setSize(int32_t n) {
  if (n < 0) throwException(ArrayIndexOutOfBounds);
  if (n > capacity_) {
    ensureCapacity(n);
    return;
  }
  while (size_ > n) elements_[--size_].release();
}

DEnumerationPtr DVector::elements() { return new DVectorEnumerator(DVectorPtr(this)); }

void DVector::ensureCapacity(int32_t needed) {
  if (needed <= capacity_) return;
  int32_t grown = static_cast<int32_t>(std::clamp<int64_t>(int64_t{capacity_} * 2, needed, INT32_MAX));
  auto store = std::make_unique<DObjectPtr[]>(grown);
  std::move(&elements_[0], &elements_[size_], &store[0]);
  elements_ = std::move(store);
  capacity_ = grown;
}

void DVector::checkIndex(int32_t index) const {
  if (index < 0 || index >= size_) throwException(ArrayIndexOutOfBounds);
}

}  // namespace qel::util
