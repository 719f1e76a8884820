#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "util/DCallBack.ptr.h"

namespace qel::util {

// A plain function pointer with one argument word; notify calls the
// function with the argument, a null function calls nothing.
class DCallBack final : public qel::lang::DObject {
public:
  using Function = void (*)(intptr_t argument);

  DCallBack(Function function, intptr_t argument) : function_(function), argument_(argument) {}

  void notify() const;

  Function function() const { return function_; }
  intptr_t argument() const { return argument_; }

  // The function pointer XOR the argument.
  int32_t hashCode() const override;
  // True for another callback with the same function and argument.
  bool equals(const qel::lang::DObject* other) const override;

private:
  Function function_;
  intptr_t argument_;
};

}  // namespace qel::util
