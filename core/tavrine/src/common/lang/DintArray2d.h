#pragma once

#include "lang/DRowArray.h"
#include "lang/DintArray.h"
#include "lang/DintArray2d.ptr.h"

namespace qel::lang {

// Object array of DintArray rows: row index errors throw 0x05800000,
// element index errors 0x05800001.
class DintArray2d final : public DRowArray<DintArray> {
public:
  // rows null rows.
  explicit DintArray2d(int32_t rows) : DRowArray(rows) {}
  // rows zero-filled rows of cols elements.
  DintArray2d(int32_t rows, int32_t cols) : DRowArray(rows, cols) {}

  std::string getClassName() const override { return "DintArray2d"; }
};

}  // namespace qel::lang
