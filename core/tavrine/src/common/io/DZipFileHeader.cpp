#include "io/DZipFileHeader.h"

#include "io/ZipFields.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

DZipFileHeaderPtr DZipFileHeader::read(DDataInputStream& in, int64_t recordOffset) {
  DZipFileHeaderPtr header = new DZipFileHeader();
  ZipFields::readEntryFields(in, *header);
  header->name = ZipFields::readText(in, header->nameLength);
  header->extra = ZipFields::readExtra(in, header->extraLength);
  header->dataOffset = in.getPosition();
  header->recordOffset = recordOffset;
  return header;
}

}  // namespace qel::io
