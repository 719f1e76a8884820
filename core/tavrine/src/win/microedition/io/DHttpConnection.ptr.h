#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DHttpConnection;
using DHttpConnectionPtr = qel::lang::DPtr<DHttpConnection>;

}  // namespace qel::io
