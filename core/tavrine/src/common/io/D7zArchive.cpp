#include "io/D7zArchive.h"

#include <limits>
#include <optional>
#include <utility>
#include <zlib.h>

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
  layout_ = SevenZipLayout::read(*source_);
  if (layout_.named()) {
    listLayout();
  } else {
    listThroughLibarchive();
  }
}

void D7zArchive::addEntry(const std::string& name, int32_t index, int64_t size, bool directory) {
  // Folders are never found, nor files too large for a byte array.
  if (directory || size < 0 || size > std::numeric_limits<int32_t>::max()) return;
  entries_.emplace(name, Entry{index, static_cast<int32_t>(size)});
}

void D7zArchive::listLayout() {
  const std::vector<SevenZipLayout::File>& files = layout_.files();
  for (size_t i = 0; i < files.size(); ++i)
    addEntry(files[i].name, static_cast<int32_t>(i), files[i].size, files[i].directory);
}

// libarchive judges the archive; the layout is kept only where it agrees.
void D7zArchive::listThroughLibarchive() {
  SevenZipReader reader(*source_);
  bool layoutAgrees = true;
  while (reader.next()) {
    const SevenZipReader::Header& header = reader.header();
    const std::vector<SevenZipLayout::File>& files = layout_.files();
    size_t index = static_cast<size_t>(header.index);
    if (index >= files.size() || (header.size > 0 && files[index].size != header.size)) layoutAgrees = false;
    addEntry(header.name, header.index, header.size, header.directory);
  }
  if (!layoutAgrees || static_cast<size_t>(reader.header().index + 1) != layout_.files().size())
    layout_ = SevenZipLayout();
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

bool D7zArchive::stepsOnWithinFolder(int32_t from, int32_t to) const {
  if (layout_.empty()) return true;
  for (int32_t i = from + 1; i < to; ++i) {
    int32_t folder = layout_.folderOf(i);
    if (folder >= 0 && folder != layout_.folderOf(to)) return false;
  }
  return true;
}

SevenZipReader& D7zArchive::readerBefore(int32_t index) {
  if (!reader_ || reader_->nextIndex() > index || !stepsOnWithinFolder(reader_->header().index, index)) {
    reader_.reset();
    reader_ = std::make_unique<SevenZipReader>(*source_);
  }
  return *reader_;
}

DbyteArrayPtr D7zArchive::extract(const Entry& entry, const DStringPtr& name) {
  if (entry.size == 0) return new DbyteArray(0);
  if (DbyteArrayPtr data = decodeAlone(entry, name)) return data;
  return readThroughLibarchive(entry, name);
}

DbyteArrayPtr D7zArchive::decodeAlone(const Entry& entry, const DStringPtr& name) {
  if (layout_.empty()) return nullptr;
  const SevenZipLayout::File& file = layout_.files()[static_cast<size_t>(entry.index)];
  if (file.folder < 0) return nullptr;
  const SevenZipLayout::Folder& folder = layout_.folders()[static_cast<size_t>(file.folder)];
  if (!folder.single || folder.streams != 1 || folder.packed.method == SevenZipFolderDecoder::Method::Other)
    return nullptr;
  DbyteArrayPtr data = SevenZipFolderDecoder::decode(*source_, folder.packed, entry.size, name);
  if (file.crc &&
      crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data->data()), static_cast<uInt>(data->length())) !=
          *file.crc)
    throw DExceptionBase(ExceptionCode::IO, u"7z entry %s: damaged data or bad CRC", name);
  return data;
}

DbyteArrayPtr D7zArchive::readThroughLibarchive(const Entry& entry, const DStringPtr& name) {
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
