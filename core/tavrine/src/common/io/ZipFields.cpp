#include "io/ZipFields.h"

#include <string_view>

#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;

DStringPtr ZipFields::readText(DDataInputStream& in, int32_t length) {
  if (length <= 0) return new DString();
  DbyteArrayPtr bytes = new DbyteArray(length);
  in.readFully(bytes);
  std::string_view text(reinterpret_cast<const char*>(bytes->data()), static_cast<size_t>(length));
  return new DString(qel::lang::widenLatin1(text.substr(0, text.find('\0'))));
}

DbyteArrayPtr ZipFields::readExtra(DDataInputStream& in, int32_t length) {
  if (length <= 0) return nullptr;
  DbyteArrayPtr bytes = new DbyteArray(length);
  in.readFully(bytes);
  return bytes;
}

}  // namespace qel::io
