#pragma once

#include "io/DArchive.ptr.h"
#include "io/DArchiveEntryStream.ptr.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DString.ptr.h"

namespace qel::io {

// An extracted archive entry. It keeps its archive alive and answers the
// entry name as the caller gave it.
class DArchiveEntryStream final : public DByteArrayInputStream {
public:
  DArchiveEntryStream(DArchivePtr archive, qel::lang::DbyteArrayPtr data, qel::lang::DStringPtr name);
  ~DArchiveEntryStream() override;

  qel::lang::DStringPtr getName() override;
  DArchivePtr getArchive() override;

private:
  DArchivePtr archive_;
  qel::lang::DStringPtr name_;
};

}  // namespace qel::io
