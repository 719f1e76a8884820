// Opens any byte string as an archive and reads the entries the fixture
// archives hold. Every outcome but a framework exception or whole data is
// a fault (the sanitizers report crashes and out-of-bounds reads).
#include <cstdint>
#include <cstring>

#include "io/DArchive.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

using namespace qel::io;
using namespace qel::lang;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  DbyteArrayPtr bytes = new DbyteArray(static_cast<int32_t>(size));
  if (size > 0) std::memcpy(bytes->data(), data, size);
  DArchivePtr archive;
  try {
    archive = DArchive::createFromStream(new DByteArrayInputStream(bytes), u"");
  } catch (DExceptionBase&) {
    return 0;
  }
  for (const char16_t* name : {u"text.txt",
                               u"img/logo.png",
                               u"Aa",
                               u"BB",
                               u"empty.bin",
                               u"-",
                               u"dup.txt",
                               u"deflated-logo.png",
                               u"empty-deflated",
                               u"bzip2.txt",
                               u"big.bin"}) {
    try {
      if (archive->lookupEntry(name) < 0) continue;
      DInputStreamPtr in = archive->openEntryStream(name);
      in->getData();
    } catch (DExceptionBase&) {}
  }
  return 0;
}
