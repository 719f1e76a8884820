#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DshortArray2d;
using DshortArray2dPtr = DPtr<DshortArray2d>;

}  // namespace qel::lang
