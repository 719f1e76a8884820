#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DbyteArray2d;
using DbyteArray2dPtr = DPtr<DbyteArray2d>;

}  // namespace qel::lang
