#pragma once

#include "lang/DRefArray.h"
#include "lang/DbyteArray2d.ptr.h"
#include "lang/DbyteArray.h"

namespace qel::lang {

// Array of DbyteArray rows: row index errors throw 0x05800000, element index
// errors 0x05800001.
class DbyteArray2d final : public DRefArray<DbyteArray> {
public:
  // rows null rows.
  explicit DbyteArray2d(int32_t rows) : DRefArray(rows) {}
  // rows zero-filled rows of cols elements.
  DbyteArray2d(int32_t rows, int32_t cols) : DRefArray(rows) {
    for (int32_t i = 0; i < length(); ++i) at(i) = new DbyteArray(cols);
  }

  std::string getClassName() const override { return "DbyteArray2d"; }
};

}  // namespace qel::lang
