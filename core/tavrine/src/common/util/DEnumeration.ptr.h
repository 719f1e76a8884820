#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DEnumeration;
using DEnumerationPtr = qel::lang::DPtr<DEnumeration>;

}  // namespace qel::util
