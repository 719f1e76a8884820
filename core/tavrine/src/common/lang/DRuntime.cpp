#include "lang/DRuntime.h"

namespace qel::lang {

DRuntimePtr DRuntime::getRuntime() {
  static const DRuntimePtr runtime(new DRuntime());
  return runtime;
}

}  // namespace qel::lang
