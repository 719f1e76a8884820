#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DHashtable;
using DHashtablePtr = qel::lang::DPtr<DHashtable>;

}  // namespace qel::util
