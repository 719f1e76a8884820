#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DZipEndOfCentralDirectoryHeader;
using DZipEndOfCentralDirectoryHeaderPtr = qel::lang::DPtr<DZipEndOfCentralDirectoryHeader>;

}  // namespace qel::io
