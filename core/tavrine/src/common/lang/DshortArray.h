#pragma once

#include <concepts>

#include "lang/DPrimitiveArray.h"
#include "lang/DshortArray.ptr.h"

namespace qel::lang {

class DshortArray final : public DPrimitiveArray<int16_t> {
public:
  explicit DshortArray(int32_t length) : DPrimitiveArray(length) {}
  // (length, spacer, values...): the spacer is ignored; exactly length
  // values must follow, else 0x05400000.
  template <std::integral... V>
  DshortArray(int32_t length, int /*spacer*/, V... values)
      : DPrimitiveArray(length, {static_cast<int>(values)...}, &convert) {}

  std::string getClassName() const override { return "DshortArray"; }

private:
  static int16_t convert(int value) { return static_cast<int16_t>(value); }
};

}  // namespace qel::lang
