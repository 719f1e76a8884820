#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DStringManager;
using DStringManagerPtr = qel::lang::DPtr<DStringManager>;

}  // namespace qel::util
