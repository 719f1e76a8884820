#pragma once

#include "lang/DPtr.h"

namespace qel::microedition::io {

class DHttpConnection;
using DHttpConnectionPtr = qel::lang::DPtr<DHttpConnection>;

}  // namespace qel::microedition::io
