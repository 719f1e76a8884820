#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DZipCentralDirectoryHeader;
using DZipCentralDirectoryHeaderPtr = qel::lang::DPtr<DZipCentralDirectoryHeader>;

}  // namespace qel::io
