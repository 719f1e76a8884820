#include "io/FilePath.h"

#include "lang/DString.h"

namespace qel::io {

qel::lang::DStringPtr programFilePath(const qel::lang::DStringPtr& path) { return path->replace(u'/', u'\\'); }

}  // namespace qel::io
