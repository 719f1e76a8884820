#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DboolArray;
using DboolArrayPtr = DPtr<DboolArray>;

}  // namespace qel::lang
