#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DbyteArray;
using DbyteArrayPtr = DPtr<DbyteArray>;

}  // namespace qel::lang
