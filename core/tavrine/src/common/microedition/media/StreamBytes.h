#pragma once

#include "io/DInputStream.ptr.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::media {

// Reads a stream whole: its available() bytes into a zero-filled array.
// Null when a framework exception stops the read.
qel::lang::DbyteArrayPtr readWholeStream(const qel::io::DInputStreamPtr& stream);

}  // namespace qel::media
