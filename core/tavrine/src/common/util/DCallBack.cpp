#include "util/DCallBack.h"

namespace qel::util {

void DCallBack::notify() const {
  if (function_) function_(argument_);
}

int32_t DCallBack::hashCode() const {
  uintptr_t word = reinterpret_cast<uintptr_t>(function_) ^ static_cast<uintptr_t>(argument_);
  return static_cast<int32_t>(static_cast<uint32_t>(word));
}

bool DCallBack::equals(const qel::lang::DObject* other) const {
  auto* callback = dynamic_cast<const DCallBack*>(other);
  return callback && callback->function_ == function_ && callback->argument_ == argument_;
}

}  // namespace qel::util
