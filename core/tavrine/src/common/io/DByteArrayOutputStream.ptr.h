#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DByteArrayOutputStream;
using DByteArrayOutputStreamPtr = qel::lang::DPtr<DByteArrayOutputStream>;

}  // namespace qel::io
