#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DRuntime;
using DRuntimePtr = DPtr<DRuntime>;

}  // namespace qel::lang
