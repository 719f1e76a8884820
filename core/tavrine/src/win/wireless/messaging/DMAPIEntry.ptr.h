#pragma once

#include "lang/DPtr.h"

namespace qel::messaging {

class DMAPIEntry;
class DMAPIEntryArray;
using DMAPIEntryPtr = qel::lang::DPtr<DMAPIEntry>;
using DMAPIEntryArrayPtr = qel::lang::DPtr<DMAPIEntryArray>;

}  // namespace qel::messaging
