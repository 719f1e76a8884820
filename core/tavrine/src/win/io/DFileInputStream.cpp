#include "io/DFileInputStream.h"

#include <utility>

#include "io/FilePath.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "platform/files/ProgramPath.h"

namespace qel::io {

using qel::lang::DbyteArrayPtr;
using qel::lang::DStringPtr;
using qel::lang::throwException;
using wce::File;
using wce::FileReader;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

int64_t checked(std::optional<int64_t> position) {
  if (!position) throwException(ExceptionCode::IO);
  return *position;
}

}  // namespace

DFileInputStream::DFileInputStream(const DStringPtr& path) : name_(programFilePath(path)) {
  std::optional<File> file = wce::openProgramFile(name_->view());
  if (!file) throwException(ExceptionCode::IO);
  file_.emplace(std::move(*file));
}

FileReader& DFileInputStream::file() {
  if (!file_) throwException(ExceptionCode::IO);
  return *file_;
}

int32_t DFileInputStream::available() {
  FileReader& f = file();
  int64_t position = checked(f.seek(0, File::Origin::current));
  int64_t end = checked(f.seek(0, File::Origin::end));
  checked(f.seek(position, File::Origin::begin));
  const int64_t count = end - position;
  if (!std::in_range<int32_t>(count)) throwException(ExceptionCode::IO);
  return static_cast<int32_t>(count);
}

int32_t DFileInputStream::readRaw(uint8_t* buf, int32_t len) {
  if (!buf) throwException(ExceptionCode::NullPointer);
  if (len < 0) throwException(ExceptionCode::IndexOutOfBounds);
  std::optional<size_t> count = file().read(buf, static_cast<size_t>(len));
  if (!count) throwException(ExceptionCode::IO);
  return static_cast<int32_t>(*count);
}

int32_t DFileInputStream::read(const DbyteArrayPtr& b, int32_t off, int32_t len) {
  if (!b) throwException(ExceptionCode::NullPointer);
  if (off > b->length() || len == 0) throwException(ExceptionCode::IO);
  if (off < 0 || len < 0 || int64_t{off} + len > b->length()) throwException(ExceptionCode::IndexOutOfBounds);
  std::optional<size_t> count = file().read(b->data() + off, static_cast<size_t>(len));
  if (!count) throwException(ExceptionCode::IO);
  return *count == 0 ? -1 : static_cast<int32_t>(*count);
}

int32_t DFileInputStream::read(const DbyteArrayPtr& b) {
  if (!b) throwException(ExceptionCode::NullPointer);
  return read(b, 0, b->length());
}

int32_t DFileInputStream::read() {
  uint8_t byte = 0;
  std::optional<size_t> count = file().read(&byte, 1);
  if (!count) throwException(ExceptionCode::IO);
  if (*count == 0) throwException(ExceptionCode::EndOfFile);
  return byte;
}

void DFileInputStream::close() { file_.reset(); }

void DFileInputStream::reset() {
  if (file_) file_->seek(0, File::Origin::begin);
}

int64_t DFileInputStream::skip(int64_t n) {
  FileReader& f = file();
  int64_t before = checked(f.seek(0, File::Origin::current));
  int64_t after = checked(f.seek(static_cast<int32_t>(static_cast<uint32_t>(n)), File::Origin::current));
  return after - before;
}

int64_t DFileInputStream::getPosition() { return checked(file().seek(0, File::Origin::current)); }

DStringPtr DFileInputStream::getName() { return name_; }

}  // namespace qel::io
