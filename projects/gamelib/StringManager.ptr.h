#pragma once

#include "lang/DPtr.h"

namespace gamelib {

class StringManager;
using StringManagerPtr = qel::lang::DPtr<StringManager>;

}  // namespace gamelib
