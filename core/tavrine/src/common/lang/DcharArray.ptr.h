#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DcharArray;
using DcharArrayPtr = DPtr<DcharArray>;

}  // namespace qel::lang
