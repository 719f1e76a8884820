#include "io/DZipCentralDirectoryHeader.h"

#include "io/ZipFields.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

DZipCentralDirectoryHeaderPtr DZipCentralDirectoryHeader::read(DDataInputStream& in, int64_t recordOffset) {
  DZipCentralDirectoryHeaderPtr header = new DZipCentralDirectoryHeader();
  header->versionMadeBy = in.readUnsignedShortLE();
  header->versionNeeded = in.readUnsignedShortLE();
  header->flags = in.readUnsignedShortLE();
  header->method = in.readUnsignedShortLE();
  header->modificationTime = in.readUnsignedShortLE();
  header->modificationDate = in.readUnsignedShortLE();
  header->crc32 = in.readUnsignedIntLE();
  header->compressedSize = in.readUnsignedIntLE();
  header->uncompressedSize = in.readUnsignedIntLE();
  header->nameLength = in.readUnsignedShortLE();
  header->extraLength = in.readUnsignedShortLE();
  header->commentLength = in.readUnsignedShortLE();
  header->diskNumberStart = in.readUnsignedShortLE();
  header->internalAttributes = in.readUnsignedShortLE();
  header->externalAttributes = in.readUnsignedIntLE();
  header->localHeaderOffset = in.readUnsignedIntLE();
  header->name = ZipFields::readText(in, header->nameLength);
  header->extra = ZipFields::readExtra(in, header->extraLength);
  header->comment = ZipFields::readText(in, header->commentLength);
  header->recordOffset = recordOffset;
  return header;
}

}  // namespace qel::io
