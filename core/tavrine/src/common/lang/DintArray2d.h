#pragma once

#include "lang/DRefArray.h"
#include "lang/DintArray2d.ptr.h"
#include "lang/DintArray.h"

namespace qel::lang {

// Array of DintArray rows: row index errors throw 0x05800000, element index
// errors 0x05800001.
class DintArray2d final : public DRefArray<DintArray> {
public:
  // rows null rows.
  explicit DintArray2d(int32_t rows) : DRefArray(rows) {}
  // rows zero-filled rows of cols elements.
  DintArray2d(int32_t rows, int32_t cols) : DRefArray(rows) {
    for (int32_t i = 0; i < length(); ++i) at(i) = new DintArray(cols);
  }

  std::string getClassName() const override { return "DintArray2d"; }
};

}  // namespace qel::lang
