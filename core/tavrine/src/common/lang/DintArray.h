#pragma once

#include <concepts>

#include "lang/DPrimitiveArray.h"
#include "lang/DintArray.ptr.h"

namespace qel::lang {

class DintArray final : public DPrimitiveArray<int32_t> {
public:
  explicit DintArray(int32_t length) : DPrimitiveArray(length) {}
  // (length, spacer, values...): the spacer is ignored; exactly length
  // values must follow, else 0x05400000.
  template <std::integral... V>
  DintArray(int32_t length, int /*spacer*/, V... values)
      : DPrimitiveArray(length, {static_cast<int>(values)...}, &convert) {}

  std::string getClassName() const override { return "DintArray"; }

private:
  static int32_t convert(int value) { return value; }
};

}  // namespace qel::lang
