#pragma once

#include <concepts>

#include "lang/DPrimitiveArray.h"
#include "lang/DcharArray.ptr.h"

namespace qel::lang {

class DcharArray final : public DPrimitiveArray<char16_t> {
public:
  // (length, spacer, values...): the spacer is ignored; exactly length
  // values must follow, else 0x05400000.
  template <std::integral... V>
  DcharArray(int32_t length, int /*spacer*/, V... values)
      : DPrimitiveArray(length, {static_cast<int>(values)...}, &convert) {}

  std::string getClassName() const override { return "DcharArray"; }

private:
  static char16_t convert(int value) { return static_cast<char16_t>(value); }
};

}  // namespace qel::lang
