#pragma once

#include "lang/DObject.h"
#include "lang/DRuntime.ptr.h"

namespace qel::lang {

// The process's runtime object: one instance, made on the first request and
// held until the process ends.
class DRuntime final : public DObject {
public:
  static DRuntimePtr getRuntime();

private:
  DRuntime() = default;
};

}  // namespace qel::lang
