#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DintArray2d;
using DintArray2dPtr = DPtr<DintArray2d>;

}  // namespace qel::lang
