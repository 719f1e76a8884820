#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DArchiveEntryStream;
using DArchiveEntryStreamPtr = qel::lang::DPtr<DArchiveEntryStream>;

}  // namespace qel::io
