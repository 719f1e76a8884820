#pragma once

#include "lang/DPtr.h"

namespace qel::microedition::io {

class DConnection;
using DConnectionPtr = qel::lang::DPtr<DConnection>;

}  // namespace qel::microedition::io
