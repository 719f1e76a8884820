#include "io/SevenZipReader.h"

#include <algorithm>
#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <cstring>

#include "io/Utf8ThreadLocale.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// The first buffer of an entry of unknown honesty; it doubles as data arrive.
constexpr int32_t InitialCapacity = 1 << 20;

}  // namespace

struct SevenZipReader::Callbacks {
  static la_ssize_t read(struct archive* a, void* self, const void** buffer) {
    auto* reader = static_cast<SevenZipReader*>(self);
    *buffer = reader->buffer_.get();
    try {
      return reader->readBlock();
    } catch (...) {
      archive_set_error(a, EIO, "read failed");
      return ARCHIVE_FATAL;
    }
  }

  static la_int64_t seek(struct archive* a, void* self, la_int64_t offset, int whence) {
    try {
      return static_cast<SevenZipReader*>(self)->seekTo(offset, whence);
    } catch (...) {
      archive_set_error(a, EIO, "seek failed");
      return ARCHIVE_FATAL;
    }
  }
};

SevenZipReader::SevenZipReader(DInputStream& source)
    : source_(source), buffer_(new uint8_t[BufferSize]), archive_(archive_read_new()) {
  if (!archive_) throw DExceptionBase(ExceptionCode::IO, u"7z archive: reader not available");
  source_.reset();
  sourceSize_ = std::max(source_.available(), 0);
  archive_read_support_format_7zip(archive_);
  archive_read_set_read_callback(archive_, &Callbacks::read);
  archive_read_set_seek_callback(archive_, &Callbacks::seek);
  archive_read_set_callback_data(archive_, this);
  Utf8ThreadLocale utf8;
  if (archive_read_open1(archive_) != ARCHIVE_OK) {
    archive_read_free(archive_);
    throw DExceptionBase(ExceptionCode::IO, u"7z archive: not readable");
  }
}

SevenZipReader::~SevenZipReader() { archive_read_free(archive_); }

int32_t SevenZipReader::readBlock() {
  int32_t count = source_.readRaw(buffer_.get(), BufferSize);
  return std::max(count, 0);
}

int64_t SevenZipReader::seekTo(int64_t offset, int whence) {
  int64_t position = offset;
  if (whence == SEEK_CUR) position += source_.getPosition();
  if (whence == SEEK_END) position += sourceSize_;
  if (position < 0 || position > sourceSize_) throw DExceptionBase(ExceptionCode::IO);
  source_.reset();
  if (source_.skip(position) != position) throw DExceptionBase(ExceptionCode::IO);
  return position;
}

void SevenZipReader::fail(const char16_t* what, const DStringPtr& name) {
  throw DExceptionBase(ExceptionCode::IO, u"7z entry %s: %s", name, what);
}

bool SevenZipReader::next() {
  struct archive_entry* entry = nullptr;
  // Names are converted from the archive's UTF-16 through the thread's locale.
  Utf8ThreadLocale utf8;
  int result = archive_read_next_header(archive_, &entry);
  if (result == ARCHIVE_EOF) return false;
  if (result != ARCHIVE_OK && result != ARCHIVE_WARN)
    throw DExceptionBase(ExceptionCode::IO, u"7z archive: damaged header");
  header_.index += 1;
  const char* name = archive_entry_pathname_utf8(entry);
  header_.name = name ? name : "";
  header_.size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1;
  header_.directory = archive_entry_filetype(entry) == AE_IFDIR;
  return true;
}

DbyteArrayPtr SevenZipReader::readData(int32_t size, const DStringPtr& name) {
  DbyteArrayPtr data = new DbyteArray(std::min(size, InitialCapacity));
  int32_t filled = 0;
  while (true) {
    if (filled == data->length() && filled < size) {
      DbyteArrayPtr larger = new DbyteArray(static_cast<int32_t>(std::min<int64_t>(int64_t{filled} * 2, size)));
      std::memcpy(larger->data(), data->data(), static_cast<size_t>(filled));
      data = larger;
    }
    // Once the entry is complete, one more read must find its end (and
    // reports a bad CRC).
    uint8_t probe = 0;
    la_ssize_t count =
        filled < size ? archive_read_data(archive_, data->data() + filled, static_cast<size_t>(data->length() - filled))
                      : archive_read_data(archive_, &probe, 1);
    if (count < 0) fail(archive_errno(archive_) == EIO ? u"cannot be read" : u"damaged data or bad CRC", name);
    if (count == 0) break;
    if (filled == size) fail(u"longer than its header says", name);
    filled += static_cast<int32_t>(count);
  }
  if (filled != size) fail(u"shorter than its header says", name);
  return data;
}

}  // namespace qel::io
