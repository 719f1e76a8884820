#pragma once

#include <concepts>

#include "lang/DPrimitiveArray.h"
#include "lang/DboolArray.ptr.h"

namespace qel::lang {

class DboolArray final : public DPrimitiveArray<uint8_t> {
public:
  explicit DboolArray(int32_t length) : DPrimitiveArray(length) {}
  // (length, spacer, values...): the spacer is ignored; exactly length
  // values must follow, else 0x05400000.
  template <std::integral... V>
  DboolArray(int32_t length, int /*spacer*/, V... values)
      : DPrimitiveArray(length, {static_cast<int>(values)...}, &convert) {}

  std::string getClassName() const override { return "DboolArray"; }

private:
  static uint8_t convert(int value) { return value != 0 ? 1 : 0; }
};

}  // namespace qel::lang
