#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DShort.ptr.h"

namespace qel::lang {

// Boxed 16-bit integer.
class DShort final : public DObject {
public:
  explicit DShort(int16_t value) : value_(value) {}

  int16_t shortValue() const { return value_; }

  std::string getClassName() const override { return "DShort"; }
  DStringPtr toString() const override;
  int32_t hashCode() const override { return value_; }
  // True only for another DShort of the same value.
  bool equals(const DObject* other) const override;

  // DInteger::parseInt(text, 10) cut to its low 16 bits (no range test).
  static int16_t parseShort(const DStringPtr& text);
  // DInteger::parseInt(text, 10) cut to its low 8 bits (no range test).
  static int8_t parseByte(const DStringPtr& text);

private:
  int16_t value_;
};

}  // namespace qel::lang
