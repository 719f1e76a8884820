#pragma once

#include <cstdint>
#include <utility>

#include "util/DEnumeration.h"
#include "util/DVector.ptr.h"

namespace qel::util {

// Enumerates a vector in index order, reading its size at each step; holds
// a count of the vector.
class DVectorEnumerator final : public DEnumeration {
public:
  explicit DVectorEnumerator(DVectorPtr vector) : vector_(std::move(vector)) {}

  // A null vector throws 0x05000080.
  bool hasMoreElements() override;
  qel::lang::DObject* nextElement() override;

private:
  DVectorPtr vector_;
  int32_t index_ = 0;
};

}  // namespace qel::util
