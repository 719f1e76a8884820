#pragma once

#include "lang/DPtr.h"

namespace qel::messaging {

class DMessageConnection;
using DMessageConnectionPtr = qel::lang::DPtr<DMessageConnection>;

}  // namespace qel::messaging
