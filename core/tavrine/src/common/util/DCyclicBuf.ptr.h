#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DCyclicBuf;
using DCyclicBufPtr = qel::lang::DPtr<DCyclicBuf>;

}  // namespace qel::util
