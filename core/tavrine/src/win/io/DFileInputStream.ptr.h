#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DFileInputStream;
using DFileInputStreamPtr = qel::lang::DPtr<DFileInputStream>;

}  // namespace qel::io
