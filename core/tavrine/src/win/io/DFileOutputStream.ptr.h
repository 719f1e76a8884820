#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DFileOutputStream;
using DFileOutputStreamPtr = qel::lang::DPtr<DFileOutputStream>;

}  // namespace qel::io
