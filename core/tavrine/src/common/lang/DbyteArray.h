#pragma once

#include <concepts>

#include "lang/DPrimitiveArray.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::lang {

class DbyteArray final : public DPrimitiveArray<int8_t> {
public:
  explicit DbyteArray(int32_t length) : DPrimitiveArray(length) {}
  // (length, spacer, values...): the spacer is ignored; exactly length
  // values must follow, else 0x05400000.
  template <std::integral... V>
  DbyteArray(int32_t length, int /*spacer*/, V... values)
      : DPrimitiveArray(length, {static_cast<int>(values)...}, &convert) {}

  std::string getClassName() const override { return "DbyteArray"; }

private:
  static int8_t convert(int value) { return static_cast<int8_t>(value); }
};

}  // namespace qel::lang
