#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DDataOutputStream;
using DDataOutputStreamPtr = qel::lang::DPtr<DDataOutputStream>;

}  // namespace qel::io
