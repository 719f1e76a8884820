#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DVector;
using DVectorPtr = qel::lang::DPtr<DVector>;

}  // namespace qel::util
