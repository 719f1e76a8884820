#pragma once

#include "lang/DPtr.h"

namespace qel::messaging {

class DMessage;
using DMessagePtr = qel::lang::DPtr<DMessage>;

}  // namespace qel::messaging
