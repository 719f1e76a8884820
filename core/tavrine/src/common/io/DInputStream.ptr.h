#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DInputStream;
using DInputStreamPtr = qel::lang::DPtr<DInputStream>;

}  // namespace qel::io
