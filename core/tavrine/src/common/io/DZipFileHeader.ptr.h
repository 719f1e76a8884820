#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DZipFileHeader;
using DZipFileHeaderPtr = qel::lang::DPtr<DZipFileHeader>;

}  // namespace qel::io
