#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DintArray;
using DintArrayPtr = DPtr<DintArray>;

}  // namespace qel::lang
