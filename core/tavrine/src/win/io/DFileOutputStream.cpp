#include "io/DFileOutputStream.h"

#include "io/FilePath.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "platform/files/ProgramPath.h"

namespace qel::io {

using qel::lang::DbyteArrayPtr;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

DFileOutputStream::DFileOutputStream(const DStringPtr& path) {
  DStringPtr name = programFilePath(path);
  file_ = wce::createProgramFile(name->view());
  if (!file_) throwException(ExceptionCode::IO);
}

wce::File& DFileOutputStream::file() {
  if (!file_) throwException(ExceptionCode::IO);
  return *file_;
}

void DFileOutputStream::write(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (!b) throwException(ExceptionCode::NullPointer);
  if (off > b->length() || len < 0) throwException(ExceptionCode::IO);
  if (len == 0) return;
  if (off < 0 || int64_t{off} + len > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  if (!file().writeAll(b->data() + off, static_cast<size_t>(len))) throwException(ExceptionCode::IO);
}

void DFileOutputStream::write(const DbyteArrayPtr& b) {
  if (!b) throwException(ExceptionCode::NullPointer);
  write(b, 0, b->length());
}

void DFileOutputStream::write(int32_t v) {
  uint8_t byte = static_cast<uint8_t>(v);
  if (!file().writeAll(&byte, 1)) throwException(ExceptionCode::IO);
}

void DFileOutputStream::flush() {
  if (!file().flush()) throwException(ExceptionCode::IO);
}

void DFileOutputStream::close() { file_.reset(); }

}  // namespace qel::io
