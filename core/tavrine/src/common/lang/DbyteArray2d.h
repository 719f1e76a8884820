#pragma once

#include "lang/DRowArray.h"
#include "lang/DbyteArray.h"
#include "lang/DbyteArray2d.ptr.h"

namespace qel::lang {

// Object array of DbyteArray rows: row index errors throw 0x05800000,
// element index errors 0x05800001.
class DbyteArray2d final : public DRowArray<DbyteArray> {
public:
  // rows null rows.
  explicit DbyteArray2d(int32_t rows) : DRowArray(rows) {}
  // rows zero-filled rows of cols elements.
  DbyteArray2d(int32_t rows, int32_t cols) : DRowArray(rows, cols) {}

  std::string getClassName() const override { return "DbyteArray2d"; }
};

}  // namespace qel::lang
