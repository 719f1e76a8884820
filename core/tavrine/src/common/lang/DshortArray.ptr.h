#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DshortArray;
using DshortArrayPtr = DPtr<DshortArray>;

}  // namespace qel::lang
