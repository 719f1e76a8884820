#pragma once

#include "lang/DRefArray.h"
#include "lang/DshortArray2d.ptr.h"
#include "lang/DshortArray.h"

namespace qel::lang {

// Array of DshortArray rows: row index errors throw 0x05800000, element index
// errors 0x05800001.
class DshortArray2d final : public DRefArray<DshortArray> {
public:
  // rows null rows.
  explicit DshortArray2d(int32_t rows) : DRefArray(rows) {}
  // rows zero-filled rows of cols elements.
  DshortArray2d(int32_t rows, int32_t cols) : DRefArray(rows) {
    for (int32_t i = 0; i < length(); ++i) at(i) = new DshortArray(cols);
  }

  std::string getClassName() const override { return "DshortArray2d"; }
};

}  // namespace qel::lang
