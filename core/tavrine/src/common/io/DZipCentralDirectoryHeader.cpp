#include "io/DZipCentralDirectoryHeader.h"

#include "io/ZipFields.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

DZipCentralDirectoryHeaderPtr DZipCentralDirectoryHeader::read(DDataInputStream& in, int64_t recordOffset) {
  DZipCentralDirectoryHeaderPtr header = new DZipCentralDirectoryHeader();
  header->versionMadeBy = in.readUnsignedShortLE();
  ZipFields::readEntryFields(in, *header);
  header->commentLength = in.readUnsignedShortLE();
  header->diskNumberStart = in.readUnsignedShortLE();
  header->internalAttributes = in.readUnsignedShortLE();
  header->externalAttributes = in.readUnsignedIntLE();
  header->localHeaderOffset = in.readUnsignedIntLE();
  header->name = ZipFields::readText(in, header->nameLength);
  header->extra = ZipFields::readExtra(in, header->extraLength);
  header->comment = ZipFields::readText(in, header->commentLength);
  header->recordOffset = recordOffset;
  header->readZip64Values();
  return header;
}

namespace {

constexpr uint16_t Zip64ExtraId = 0x0001;

uint64_t littleEndian(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

[[noreturn]] void missingZip64Value(const qel::lang::DStringPtr& name) {
  throw qel::lang::DExceptionBase(qel::lang::ExceptionCode::IO, u"zip entry %s: Zip64 value missing", name);
}

}  // namespace

// The Zip64 block holds, in this order, only the values whose field is the
// marker: uncompressed size, compressed size, local header offset.
void DZipCentralDirectoryHeader::readZip64Values() {
  uint64_t* fields[] = {&uncompressedSize, &compressedSize, &localHeaderOffset};
  bool wanted = false;
  for (uint64_t* field : fields) wanted = wanted || *field == Zip64Marker;
  if (!wanted) return;
  const uint8_t* data = extra ? reinterpret_cast<const uint8_t*>(extra->data()) : nullptr;
  int32_t length = extra ? extra->length() : 0;
  for (int32_t at = 0; at + 4 <= length;) {
    uint16_t id = static_cast<uint16_t>(littleEndian(data + at, 2));
    int32_t size = static_cast<int32_t>(littleEndian(data + at + 2, 2));
    const uint8_t* block = data + at + 4;
    if (at + 4 + size > length) break;
    if (id == Zip64ExtraId) {
      int32_t used = 0;
      for (uint64_t* field : fields) {
        if (*field != Zip64Marker) continue;
        if (used + 8 > size) missingZip64Value(name);
        *field = littleEndian(block + used, 8);
        used += 8;
      }
      return;
    }
    at += 4 + size;
  }
  missingZip64Value(name);
}

}  // namespace qel::io
