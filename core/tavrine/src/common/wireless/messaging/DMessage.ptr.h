#pragma once

#include "lang/DPtr.h"

namespace qel::wireless::messaging {

class DMessage;
using DMessagePtr = qel::lang::DPtr<DMessage>;

}  // namespace qel::wireless::messaging
