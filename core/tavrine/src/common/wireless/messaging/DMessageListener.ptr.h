#pragma once

#include "lang/DPtr.h"

namespace qel::wireless::messaging {

class DMessageListener;
using DMessageListenerPtr = qel::lang::DPtr<DMessageListener>;

}  // namespace qel::wireless::messaging
