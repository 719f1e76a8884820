#pragma once

#include "lang/DPtr.h"

namespace qel::wireless::messaging {

class DMessageConnection;
using DMessageConnectionPtr = qel::lang::DPtr<DMessageConnection>;

}  // namespace qel::wireless::messaging
