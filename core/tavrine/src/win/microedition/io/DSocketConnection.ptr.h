#pragma once

#include "lang/DPtr.h"

namespace qel::microedition::io {

class DSocketConnection;
using DSocketConnectionPtr = qel::lang::DPtr<DSocketConnection>;

}  // namespace qel::microedition::io
