#pragma once

#include "lang/DPtr.h"

namespace qel::util {

class DCallBack;
using DCallBackPtr = qel::lang::DPtr<DCallBack>;

}  // namespace qel::util
