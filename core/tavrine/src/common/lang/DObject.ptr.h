#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DObject;
class DObjectArray;
class DObjectArray2d;
using DObjectPtr = DPtr<DObject>;
using DObjectArrayPtr = DPtr<DObjectArray>;
using DObjectArray2dPtr = DPtr<DObjectArray2d>;

}  // namespace qel::lang
