#pragma once

#include "lang/DString.ptr.h"

namespace qel::io {

// A file stream's path as the framework writes it: relative to the program
// folder, with every '/' turned into '\'. A null path throws 0x05000080.
qel::lang::DStringPtr programFilePath(const qel::lang::DStringPtr& path);

}  // namespace qel::io
