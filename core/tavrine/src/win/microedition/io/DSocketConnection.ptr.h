#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DSocketConnection;
using DSocketConnectionPtr = qel::lang::DPtr<DSocketConnection>;

}  // namespace qel::io
