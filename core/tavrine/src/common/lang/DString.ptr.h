#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DString;
using DStringPtr = DPtr<DString>;

}  // namespace qel::lang
