#include "io/DArchive.h"

#include <utility>

#include "io/D7zArchive.h"
#include "io/DInputStream.h"
#include "io/DZipArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace qel::io {

using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

DArchivePtr& current() {
  static DArchivePtr archive;
  return archive;
}

DArchive& requireCurrent() {
  DArchive* archive = current().get();
  if (!archive) throw DExceptionBase(ExceptionCode::IO, u"no archive is open");
  return *archive;
}

}  // namespace

DStringPtr DArchive::getName() { return name_; }

void DArchive::setCurrent(DArchivePtr a) { current() = std::move(a); }

DArchivePtr DArchive::getCurrent() { return current(); }

void DArchive::close() { setCurrent(nullptr); }

DInputStreamPtr DArchive::openCurrentEntryStream(DStringPtr name) {
  DArchivePtr archive = &requireCurrent();
  return archive->openEntryStream(std::move(name));
}

int32_t DArchive::lookupCurrentEntry(DStringPtr name) {
  DArchivePtr archive = &requireCurrent();
  return archive->lookupEntry(std::move(name));
}

DArchivePtr DArchive::createFromStream(DInputStreamPtr source, DStringPtr password) {
  if (!source) throwException(ExceptionCode::NullPointer);
  try {
    DArchivePtr archive = new D7zArchive();
    archive->open(source, password);
    return archive;
  } catch (DExceptionBase&) {}
  source->reset();
  DArchivePtr archive = new DZipArchive();
  archive->open(source, password);
  return archive;
}

}  // namespace qel::io
