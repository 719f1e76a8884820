#include "lang/DStringBuffer.h"

#include <algorithm>
#include <limits>
#include <new>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace qel::lang {

DStringBuffer::DStringBuffer() : units_(16) {}

DStringBuffer::DStringBuffer(int32_t n) : units_(static_cast<size_t>(n > 0 ? n : 0) + 1) {}

DStringBuffer::DStringBuffer(const DStringPtr& text) : units_(static_cast<size_t>(text->length()) + 1) {
  appendUnits(text->view());
}

DStringBuffer& DStringBuffer::append(const DStringPtr& text) { return text ? appendUnits(text->view()) : appendNull(); }

DStringBuffer& DStringBuffer::append(const char16_t* text) { return text ? appendUnits(text) : appendNull(); }

DStringBuffer& DStringBuffer::appendNull() { return appendUnits(u"null"); }

DStringBuffer& DStringBuffer::append(bool value) { return appendUnits(value ? u"true" : u"false"); }

DStringBuffer& DStringBuffer::append(char16_t unit) { return appendUnits(std::u16string_view(&unit, 1)); }

DStringBuffer& DStringBuffer::appendUnits(std::u16string_view units) {
  ensureCapacity(static_cast<int64_t>(length_) + static_cast<int64_t>(units.size()) + 1);
  std::copy(units.begin(), units.end(), units_.begin() + length_);
  length_ += static_cast<int32_t>(units.size());
  return *this;
}

void DStringBuffer::ensureCapacity(int64_t required) {
  if (required <= capacity()) return;
  if (required > std::numeric_limits<int32_t>::max()) throw std::bad_alloc();
  int64_t grown = std::max<int64_t>(required, 2 * static_cast<int64_t>(capacity()));
  units_.resize(static_cast<size_t>(std::min<int64_t>(grown, std::numeric_limits<int32_t>::max())), 0);
}

void DStringBuffer::setLength(int32_t n) {
  if (n < 0) throwException(ExceptionCode::StringIndexOutOfBounds);
  ensureCapacity(static_cast<int64_t>(n) + 1);
  if (n < length_) std::fill(units_.begin() + n, units_.begin() + length_, 0);
  length_ = n;
}

void DStringBuffer::checkIndex(int32_t index) const {
  if (index < 0 || index >= length_) throwException(ExceptionCode::StringIndexOutOfBounds);
}

char16_t DStringBuffer::charAt(int32_t index) const {
  checkIndex(index);
  return units_[index];
}

void DStringBuffer::setCharAt(int32_t index, char16_t unit) {
  checkIndex(index);
  units_[index] = unit;
}

DStringPtr DStringBuffer::toString() const { return new DString(units_.data(), length_); }

}  // namespace qel::lang
