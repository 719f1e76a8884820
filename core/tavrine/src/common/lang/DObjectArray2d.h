#pragma once

#include "lang/DObjectArray.h"

namespace qel::lang {

// Array of object-array rows.
class DObjectArray2d final : public DRefArray<DObjectArray> {
public:
  // rows rows, each a new DObjectArray(cols).
  DObjectArray2d(int32_t rows, int32_t cols) : DRefArray(rows) {
    for (int32_t i = 0; i < length(); ++i) at(i) = new DObjectArray(cols);
  }

  // The first row's class name + "2d" ("DStringArray2d"); "DObjectArray2d"
  // when there are no rows or the first is null.
  std::string getClassName() const override { return firstElementClassName("2d", "DObjectArray2d"); }
};

}  // namespace qel::lang
