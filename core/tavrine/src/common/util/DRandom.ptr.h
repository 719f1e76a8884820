#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DRandom;
using DRandomPtr = qel::lang::DPtr<DRandom>;

}  // namespace qel::util
