#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DPrintStream;
using DPrintStreamPtr = qel::lang::DPtr<DPrintStream>;

}  // namespace qel::io
