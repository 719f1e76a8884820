#pragma once

#include "lang/DPtr.h"

namespace qel::messaging {

class DMessageListener;
using DMessageListenerPtr = qel::lang::DPtr<DMessageListener>;

}  // namespace qel::messaging
