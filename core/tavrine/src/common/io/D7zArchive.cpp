#include "io/D7zArchive.h"

#include <limits>
#include <optional>
#include <utility>

#include "io/DArchiveEntryStream.h"
#include "io/SevenZipReader.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DStringPtr;
using qel::lang::throwException;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

bool isSeparator(char16_t unit) { return unit == u'/' || unit == u'\\'; }
bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The stored form of a query: '\' read as '/', leading separators dropped,
// in UTF-8. None when the query cannot name a stored file.
std::optional<std::string> storedFormOf(std::u16string_view query) {
  size_t start = 0;
  while (start < query.size() && isSeparator(query[start])) ++start;
  std::u16string name(query.substr(start));
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == u'\\') name[i] = u'/';
    if (isHighSurrogate(name[i]) && i + 1 < name.size() && isLowSurrogate(name[i + 1])) {
      ++i;
    } else if (isHighSurrogate(name[i]) || isLowSurrogate(name[i])) {
      return std::nullopt;
    }
  }
  std::string bytes = qel::lang::toMultiByte(name);
  if (bytes.size() > D7zArchive::MaxNameBytes) return std::nullopt;
  return bytes;
}

}  // namespace

D7zArchive::D7zArchive() = default;

D7zArchive::~D7zArchive() = default;

void D7zArchive::open(DInputStreamPtr source, DStringPtr /*password*/) {
  if (!source) throwException(ExceptionCode::NullPointer);
  source_ = std::move(source);
  SevenZipReader reader(*source_);
  while (reader.next()) {
    const SevenZipReader::Header& header = reader.header();
    // Folders are never found, nor files too large for a byte array.
    if (header.directory || header.size < 0 || header.size > std::numeric_limits<int32_t>::max()) continue;
    entries_.emplace(header.name, Entry{header.index, static_cast<int32_t>(header.size)});
  }
}

const D7zArchive::Entry* D7zArchive::findEntry(const DStringPtr& name) const {
  if (!name) throwException(ExceptionCode::NullPointer);
  std::optional<std::string> stored = storedFormOf(name->view());
  if (!stored) return nullptr;
  auto found = entries_.find(*stored);
  return found == entries_.end() ? nullptr : &found->second;
}

bool D7zArchive::containsEntry(DStringPtr name) { return findEntry(name) != nullptr; }

int32_t D7zArchive::lookupEntry(DStringPtr name) {
  const Entry* entry = findEntry(name);
  return entry ? entry->size : -1;
}

DInputStreamPtr D7zArchive::openEntryStream(DStringPtr name) {
  const Entry* entry = findEntry(name);
  if (!entry) throw DExceptionBase(ExceptionCode::IO, u"7z entry %s not found", name);
  return new DArchiveEntryStream(this, extract(*entry, name), name);
}

SevenZipReader& D7zArchive::readerBefore(int32_t index) {
  if (!reader_ || reader_->nextIndex() > index) {
    reader_.reset();
    reader_ = std::make_unique<SevenZipReader>(*source_);
  }
  return *reader_;
}

DbyteArrayPtr D7zArchive::extract(const Entry& entry, const DStringPtr& name) {
  if (entry.size == 0) return new DbyteArray(0);
  try {
    SevenZipReader& reader = readerBefore(entry.index);
    while (reader.nextIndex() <= entry.index) {
      if (!reader.next()) throw DExceptionBase(ExceptionCode::IO, u"7z entry %s: missing", name);
    }
    return reader.readData(entry.size, name);
  } catch (...) {
    reader_.reset();
    throw;
  }
}

}  // namespace qel::io
