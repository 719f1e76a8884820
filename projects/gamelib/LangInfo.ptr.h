#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class LangInfo;
using LangInfoPtr = qel::lang::DPtr<LangInfo>;

}  // namespace gamelib
