#pragma once

#include "lang/DPtr.h"

namespace qel::midlet {

class DMIDlet;
using DMIDletPtr = qel::lang::DPtr<DMIDlet>;

}  // namespace qel::midlet
