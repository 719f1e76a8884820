#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DConnection;
using DConnectionPtr = qel::lang::DPtr<DConnection>;

}  // namespace qel::io
