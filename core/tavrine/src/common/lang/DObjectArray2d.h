#pragma once

#include "lang/DRowArray.h"

namespace qel::lang {

// Object array of object-array rows.
class DObjectArray2d final : public DRowArray<DObjectArray> {
public:
  // rows rows, each a new DObjectArray(cols).
  DObjectArray2d(int32_t rows, int32_t cols) : DRowArray(rows, cols) {}

  // The first row's class name + "2d" ("DStringArray2d"); "DObjectArray2d"
  // when there are no rows or the first is null.
  std::string getClassName() const override { return firstElementClassName("2d", "DObjectArray2d"); }
};

}  // namespace qel::lang
