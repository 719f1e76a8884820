#pragma once

#include "lang/DRowArray.h"
#include "lang/DshortArray.h"
#include "lang/DshortArray2d.ptr.h"

namespace qel::lang {

// Object array of DshortArray rows: row index errors throw 0x05800000,
// element index errors 0x05800001.
class DshortArray2d final : public DRowArray<DshortArray> {
public:
  // rows null rows.
  explicit DshortArray2d(int32_t rows) : DRowArray(rows) {}
  // rows zero-filled rows of cols elements.
  DshortArray2d(int32_t rows, int32_t cols) : DRowArray(rows, cols) {}

  std::string getClassName() const override { return "DshortArray2d"; }
};

}  // namespace qel::lang
