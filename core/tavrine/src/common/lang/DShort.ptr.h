#pragma once

#include "lang/DPtr.h"

namespace qel::lang {

class DShort;
using DShortPtr = DPtr<DShort>;

}  // namespace qel::lang
