#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DZipArchive;
using DZipArchivePtr = qel::lang::DPtr<DZipArchive>;

}  // namespace qel::io
