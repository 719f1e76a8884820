#include "io/DZipEndOfCentralDirectoryHeader.h"

#include "io/ZipFields.h"
#include "lang/DString.h"

namespace qel::io {

DZipEndOfCentralDirectoryHeaderPtr DZipEndOfCentralDirectoryHeader::read(DDataInputStream& in, int64_t recordOffset) {
  DZipEndOfCentralDirectoryHeaderPtr record = new DZipEndOfCentralDirectoryHeader();
  record->thisDisk = in.readUnsignedShortLE();
  record->centralDirectoryDisk = in.readUnsignedShortLE();
  record->entriesOnThisDisk = in.readUnsignedShortLE();
  record->totalEntries = in.readUnsignedShortLE();
  record->centralDirectorySize = in.readUnsignedIntLE();
  record->centralDirectoryOffset = in.readUnsignedIntLE();
  record->commentLength = in.readUnsignedShortLE();
  record->comment = ZipFields::readText(in, record->commentLength);
  record->recordOffset = recordOffset;
  return record;
}

}  // namespace qel::io
