#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "lang/DObject.h"
#include "lang/DStringBuffer.ptr.h"

namespace qel::lang {

// Growable UTF-16 text buffer; every unit at or beyond the length is 0.
// Growth: when the units needed (terminator included) exceed the capacity,
// the capacity becomes the larger of that need and twice the capacity.
class DStringBuffer final : public DObject {
public:
  DStringBuffer();
  // Capacity n + 1 (n < 0 read as 0).
  explicit DStringBuffer(int32_t n);
  explicit DStringBuffer(const DStringPtr& text);

  int32_t length() const { return length_; }
  int32_t capacity() const { return static_cast<int32_t>(units_.size()); }

  // Each append returns the buffer; a null text appends "null".
  DStringBuffer& append(const DStringPtr& text);
  DStringBuffer& append(const char16_t* text);
  DStringBuffer& appendNull();
  DStringBuffer& append(bool value);
  DStringBuffer& append(char16_t unit);

  // n < 0 throws 0x05800002; shrinking zeroes the cut units.
  void setLength(int32_t n);
  // Index < 0 or >= length throws 0x05800002.
  char16_t charAt(int32_t index) const;
  void setCharAt(int32_t index, char16_t unit);

  // The first length units, zero units included.
  DStringPtr toString() const override;

private:
  DStringBuffer& appendUnits(std::u16string_view units);
  void ensureCapacity(int64_t required);
  void checkIndex(int32_t index) const;

  int32_t length_ = 0;
  std::vector<char16_t> units_;
};

}  // namespace qel::lang
