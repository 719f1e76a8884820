#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DOutputStream;
using DOutputStreamPtr = qel::lang::DPtr<DOutputStream>;

}  // namespace qel::io
