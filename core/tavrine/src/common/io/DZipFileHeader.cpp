#include "io/DZipFileHeader.h"

#include "io/ZipFields.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

DZipFileHeaderPtr DZipFileHeader::read(DDataInputStream& in, int64_t recordOffset) {
  DZipFileHeaderPtr header = new DZipFileHeader();
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
  header->name = ZipFields::readText(in, header->nameLength);
  header->extra = ZipFields::readExtra(in, header->extraLength);
  header->dataOffset = in.getPosition();
  header->recordOffset = recordOffset;
  return header;
}

}  // namespace qel::io
