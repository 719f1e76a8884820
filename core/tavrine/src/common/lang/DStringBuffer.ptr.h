#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DStringBuffer;
using DStringBufferPtr = DPtr<DStringBuffer>;

}  // namespace qel::lang
