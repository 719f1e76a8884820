#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class D7zArchive;
using D7zArchivePtr = qel::lang::DPtr<D7zArchive>;

}  // namespace qel::io
