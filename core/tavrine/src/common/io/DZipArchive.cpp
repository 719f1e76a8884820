#include "io/DZipArchive.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <zlib.h>

#include "io/DByteArrayInputStream.h"
#include "io/DDataInputStream.h"
#include "io/DZipCentralDirectoryHeader.h"
#include "io/DZipEndOfCentralDirectoryHeader.h"
#include "io/DZipFileHeader.h"
#include "io/ZipInflater.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace qel::io {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lang::DExceptionBase;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lang::throwException;
using qel::util::DEnumerationPtr;
using qel::util::DHashtable;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// The end record with the longest comment the format allows.
constexpr int32_t EndRecordWindow = DZipEndOfCentralDirectoryHeader::FixedSize + 0xFFFF;
constexpr uint8_t EndSignatureBytes[4] = {0x50, 0x4B, 0x05, 0x06};
constexpr uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr int64_t Zip64LocatorSize = 20;

uint32_t crcOf(const DbyteArray& data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  return static_cast<uint32_t>(
      crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.length())));
}

[[noreturn]] void notAnArchive(const char16_t* why) {
  throw DExceptionBase(ExceptionCode::IO, u"zip archive: %s", why);
}

}  // namespace

DZipArchive::DZipArchive() : centralHeaders_(new DHashtable(11, 75)) {}

DZipArchive::~DZipArchive() = default;

DStringPtr DZipArchive::normaliseName(const DStringPtr& name) {
  if (!name) throwException(ExceptionCode::NullPointer);
  DStringPtr key = name->replace(u'\\', u'/');
  if (key->length() > 0 && key->charAt(0) == u'/') key = key->substring(1);
  return key;
}

DZipCentralDirectoryHeader* DZipArchive::findHeader(const DStringPtr& name) const {
  return static_cast<DZipCentralDirectoryHeader*>(centralHeaders_->get(normaliseName(name)));
}

bool DZipArchive::containsEntry(DStringPtr name) { return findHeader(name) != nullptr; }

int32_t DZipArchive::lookupEntry(DStringPtr name) {
  DZipCentralDirectoryHeader* header = findHeader(name);
  return header ? static_cast<int32_t>(header->uncompressedSize) : -1;
}

DInputStreamPtr DZipArchive::openEntryStream(DStringPtr name) {
  DZipCentralDirectoryHeader* header = findHeader(name);
  if (!header) throw DExceptionBase(ExceptionCode::IO, u"zip entry %s not found", name);
  return new DByteArrayInputStream(extract(*header));
}

void DZipArchive::open(DInputStreamPtr source, DStringPtr /*password*/) {
  if (!source) throwException(ExceptionCode::NullPointer);
  source_ = std::move(source);
  in_ = new DDataInputStream(source_);
  readEndRecord();
  try {
    readCentralDirectory();
  } catch (DExceptionBase& e) {
    if (e.code() == ExceptionCode::IO) throw;
    notAnArchive(u"damaged directory");
  }
}

void DZipArchive::seek(int64_t position) {
  in_->reset();
  if (position < 0 || position > sourceSize_ || in_->skip(position) != position) notAnArchive(u"offset out of range");
}

int64_t DZipArchive::findEndRecord() {
  in_->reset();
  sourceSize_ = std::max(in_->available(), 0);
  if (sourceSize_ < DZipEndOfCentralDirectoryHeader::FixedSize) notAnArchive(u"file too short");
  int32_t window = static_cast<int32_t>(std::min<int64_t>(sourceSize_, EndRecordWindow));
  int64_t windowStart = sourceSize_ - window;
  DbyteArrayPtr bytes = new DbyteArray(window);
  try {
    seek(windowStart);
    in_->readFully(bytes);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::IO);
    notAnArchive(u"file cannot be read");
  }
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes->data());
  // The last signature whose comment ends exactly at the end of the file;
  // failing that, the last signature at all.
  int64_t found = -1;
  for (int32_t i = window - DZipEndOfCentralDirectoryHeader::FixedSize; i >= 0; --i) {
    if (!std::equal(EndSignatureBytes, EndSignatureBytes + 4, data + i)) continue;
    int32_t commentLength = data[i + 20] | (data[i + 21] << 8);
    if (i + DZipEndOfCentralDirectoryHeader::FixedSize + commentLength == window) return windowStart + i;
    if (found < 0) found = windowStart + i;
  }
  if (found < 0) notAnArchive(u"no end of central directory");
  return found;
}

void DZipArchive::readEndRecord() {
  int64_t recordOffset = findEndRecord();
  seek(recordOffset + 4);
  endRecord_ = DZipEndOfCentralDirectoryHeader::read(*in_, recordOffset);
  refuseZip64EndRecord(recordOffset);
  if (endRecord_->thisDisk != 0 || endRecord_->centralDirectoryDisk != endRecord_->thisDisk ||
      endRecord_->entriesOnThisDisk != endRecord_->totalEntries)
    notAnArchive(u"spans several disks");
}

// An archive too large for the 16- and 32-bit fields keeps its counts in a
// Zip64 end record; reading on would show only part of it.
void DZipArchive::refuseZip64EndRecord(int64_t recordOffset) {
  bool marked = endRecord_->totalEntries == 0xFFFF || endRecord_->centralDirectorySize == 0xFFFFFFFF ||
                endRecord_->centralDirectoryOffset == 0xFFFFFFFF;
  if (!marked || recordOffset < Zip64LocatorSize) return;
  seek(recordOffset - Zip64LocatorSize);
  if (in_->readUnsignedIntLE() == Zip64LocatorSignature) notAnArchive(u"Zip64 end record not supported");
}

void DZipArchive::readCentralDirectory() {
  seek(endRecord_->centralDirectoryOffset);
  for (int32_t i = 0; i < endRecord_->entriesOnThisDisk; ++i) {
    int64_t recordOffset = in_->getPosition();
    if (in_->readUnsignedIntLE() != DZipCentralDirectoryHeader::Signature) notAnArchive(u"bad central header");
    DZipCentralDirectoryHeaderPtr header = DZipCentralDirectoryHeader::read(*in_, recordOffset);
    // An entry too large for a byte array can never be opened.
    if (header->uncompressedSize > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) continue;
    centralHeaders_->put(header->name, header);
  }
}

int64_t DZipArchive::dataOffsetOf(const DZipCentralDirectoryHeader& header) {
  const DStringPtr& name = header.name;
  try {
    if (header.localHeaderOffset > static_cast<uint64_t>(sourceSize_)) notAnArchive(u"offset out of range");
    seek(static_cast<int64_t>(header.localHeaderOffset));
    if (in_->readUnsignedIntLE() != DZipFileHeader::Signature)
      throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: bad local header", name);
    return DZipFileHeader::read(*in_, static_cast<int64_t>(header.localHeaderOffset))->dataOffset;
  } catch (DExceptionBase& e) {
    if (e.code() == ExceptionCode::IO) throw;
    throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: local header ends early", name);
  }
}

DbyteArrayPtr DZipArchive::extract(const DZipCentralDirectoryHeader& header) {
  const DStringPtr& name = header.name;
  if (header.method != MethodStored && header.method != MethodDeflated)
    throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: unsupported method %d", name, header.method);
  int64_t dataOffset = dataOffsetOf(header);
  int32_t size = static_cast<int32_t>(header.uncompressedSize);
  if (size == 0) return new DbyteArray(0);
  if (header.compressedSize > static_cast<uint64_t>(sourceSize_ - dataOffset))
    throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: data end early", name);
  seek(dataOffset);
  DbyteArrayPtr data;
  if (header.method == MethodStored) {
    if (header.compressedSize != header.uncompressedSize)
      throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: size differs from its header", name);
    data = new DbyteArray(size);
    try {
      in_->readFully(data);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(ExceptionCode::IO);
      throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: data end early", name);
    }
  } else {
    data = ZipInflater::inflate(*in_, static_cast<int64_t>(header.compressedSize), size, name);
  }
  if (crcOf(*data) != header.crc32) throw DExceptionBase(ExceptionCode::IO, u"zip entry %s: bad CRC", name);
  return data;
}

}  // namespace qel::io
