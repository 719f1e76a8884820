#pragma once

#include <cstdint>

#include "lang/DInteger.ptr.h"
#include "lang/DObject.h"

namespace qel::lang {

// Boxed 32-bit integer and the framework's integer text conversions.
class DInteger final : public DObject {
public:
  explicit DInteger(int32_t value) : value_(value) {}

  int32_t intValue() const { return value_; }

  std::string getClassName() const override { return "DInteger"; }
  DStringPtr toString() const override;
  int32_t hashCode() const override { return value_; }
  // True only for another DInteger of the same value.
  bool equals(const DObject* other) const override;

  // Decimal text, '-' for negatives.
  static DStringPtr toString(int32_t n);
  // Unsigned lower-case hexadecimal without leading zeros.
  static DStringPtr toHexString(int32_t n);
  // Value of an ASCII digit or letter when below radix, else -1.
  static int digit(char16_t unit, int radix);
  // Radix 2..36, optional leading '-', no '+'; anything else throws 0x05400002.
  static int32_t parseInt(const DStringPtr& text, int radix);
  // Radix 16 from index 2 for texts of 3 or more units starting "0x", else radix 10.
  static int32_t parseInt(const DStringPtr& text);
  // DInteger of parseInt(text); 0 for null.
  static DIntegerPtr valueOf(const DStringPtr& text);

private:
  int32_t value_;
};

}  // namespace qel::lang
