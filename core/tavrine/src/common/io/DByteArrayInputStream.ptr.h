#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DByteArrayInputStream;
using DByteArrayInputStreamPtr = qel::lang::DPtr<DByteArrayInputStream>;

}  // namespace qel::io
