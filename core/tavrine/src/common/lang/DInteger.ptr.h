#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DInteger;
using DIntegerPtr = DPtr<DInteger>;

}  // namespace qel::lang
