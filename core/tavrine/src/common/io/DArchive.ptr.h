#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DArchive;
using DArchivePtr = qel::lang::DPtr<DArchive>;

}  // namespace qel::io
