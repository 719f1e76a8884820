#pragma once

#include <cstdint>

#include "io/DArchive.ptr.h"
#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DString.ptr.h"

namespace qel::io {

// A resource archive whose named entries open as in-memory streams, and the
// one current archive of the process.
//
//   DArchive::open(u"game.dat", u"");
//   if (DArchive::lookupCurrentEntry(u"img/gui.bin") >= 0) use(DArchive::openCurrentEntryStream(u"img/gui.bin"));
class DArchive : public qel::lang::DObject {
public:
  // The whole entry as a stream; an absent entry throws 0x06000000.
  virtual DInputStreamPtr openEntryStream(qel::lang::DStringPtr name) = 0;
  virtual bool containsEntry(qel::lang::DStringPtr name) = 0;
  // The entry's uncompressed size, or -1 when there is no such entry.
  virtual int32_t lookupEntry(qel::lang::DStringPtr name) = 0;
  // The file the archive was opened from; null for one made from a stream.
  virtual qel::lang::DStringPtr getName();
  // Reads the archive's directory from source; the password is not used.
  virtual void open(DInputStreamPtr source, qel::lang::DStringPtr password) = 0;

  // The current archive becomes a (null allowed); the previous one is released.
  static void setCurrent(DArchivePtr a);
  static DArchivePtr getCurrent();
  // Makes the archive file name current; 0x06000000 when one is current.
  // This and createFromFile read through the file streams and are built
  // with them, in win/io/DArchiveFile.cpp.
  static void open(qel::lang::DStringPtr name, qel::lang::DStringPtr password);
  static void close();
  // openEntryStream and lookupEntry of the current archive (named apart from
  // the virtual operations they forward to); none current throws 0x06000000.
  static DInputStreamPtr openCurrentEntryStream(qel::lang::DStringPtr name);
  static int32_t lookupCurrentEntry(qel::lang::DStringPtr name);

  // The archive in the file name (relative to the program folder).
  static DArchivePtr createFromFile(qel::lang::DStringPtr name, qel::lang::DStringPtr password);
  // Read as 7z, and as zip when it is not 7z. A null source throws 0x05000080.
  static DArchivePtr createFromStream(DInputStreamPtr source, qel::lang::DStringPtr password);

private:
  qel::lang::DStringPtr name_;
};

}  // namespace qel::io
