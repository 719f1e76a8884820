#include "io/DOutputStream.h"

#include "lang/DbyteArray.h"

namespace qel::io {

void DOutputStream::write(const qel::lang::DbyteArrayPtr& b) { write(b, 0, b->length()); }

}  // namespace qel::io
