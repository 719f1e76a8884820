#pragma once

#include <cstdint>

#include "io/DArchive.h"
#include "io/DDataInputStream.ptr.h"
#include "io/DZipArchive.ptr.h"
#include "io/DZipCentralDirectoryHeader.ptr.h"
#include "io/DZipEndOfCentralDirectoryHeader.ptr.h"
#include "lang/DbyteArray.ptr.h"
#include "util/DHashtable.ptr.h"

namespace qel::io {

// A single-disk zip archive with stored and deflated entries. Names are
// keyed with '\' read as '/' and one leading '/' dropped; of two equal
// names the later one counts. The central directory, Zip64 sizes included,
// is read at open; an entry's local header is checked, and its data against
// their CRC-32, when it is opened.
class DZipArchive final : public DArchive {
public:
  static constexpr int32_t MethodStored = 0;
  static constexpr int32_t MethodDeflated = 8;

  DZipArchive();
  ~DZipArchive() override;

  // A plain DByteArrayInputStream. An absent entry, an unsupported method
  // and damaged or truncated data throw 0x06000000.
  DInputStreamPtr openEntryStream(qel::lang::DStringPtr name) override;
  bool containsEntry(qel::lang::DStringPtr name) override;
  int32_t lookupEntry(qel::lang::DStringPtr name) override;
  // A null source throws 0x05000080, a file that is no readable single-disk
  // zip archive 0x06000000.
  void open(DInputStreamPtr source, qel::lang::DStringPtr password) override;

  // '\' becomes '/', then one leading '/' is removed. Null throws 0x05000080.
  static qel::lang::DStringPtr normaliseName(const qel::lang::DStringPtr& name);

private:
  DZipCentralDirectoryHeader* findHeader(const qel::lang::DStringPtr& name) const;
  void readEndRecord();
  int64_t findEndRecord();
  void refuseZip64EndRecord(int64_t recordOffset);
  void readCentralDirectory();
  // Where the entry's data start, after its local header.
  int64_t dataOffsetOf(const DZipCentralDirectoryHeader& header);
  qel::lang::DbyteArrayPtr extract(const DZipCentralDirectoryHeader& header);
  void seek(int64_t position);

  qel::util::DHashtablePtr centralHeaders_;
  DZipEndOfCentralDirectoryHeaderPtr endRecord_;
  DInputStreamPtr source_;
  DDataInputStreamPtr in_;
  int64_t sourceSize_ = 0;
};

}  // namespace qel::io
