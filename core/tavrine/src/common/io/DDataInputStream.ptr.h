#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DDataInputStream;
using DDataInputStreamPtr = qel::lang::DPtr<DDataInputStream>;

}  // namespace qel::io
