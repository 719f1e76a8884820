// The archive operations that open a file: they sit with the file streams so
// that the archive readers below need no file system.

#include <utility>

#include "io/DArchive.h"
#include "io/DFileInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace qel::io {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

void DArchive::open(DStringPtr name, DStringPtr password) {
  if (getCurrent()) throw DExceptionBase(ExceptionCode::IO, u"an archive is already open");
  setCurrent(createFromFile(std::move(name), std::move(password)));
}

DArchivePtr DArchive::createFromFile(DStringPtr name, DStringPtr password) {
  DArchivePtr archive;
  try {
    archive = createFromStream(new DFileInputStream(name), std::move(password));
  } catch (DExceptionBase& e) {
    // The same failure, told with the file's name.
    throw DExceptionBase(e.code(), u"%s: %s", name, e.message());
  }
  archive->name_ = std::move(name);
  return archive;
}

}  // namespace qel::io
