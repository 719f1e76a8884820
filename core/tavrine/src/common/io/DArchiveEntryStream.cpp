#include "io/DArchiveEntryStream.h"

#include <utility>

#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace qel::io {

DArchiveEntryStream::DArchiveEntryStream(DArchivePtr archive, qel::lang::DbyteArrayPtr data, qel::lang::DStringPtr name)
    : DByteArrayInputStream(std::move(data)), archive_(std::move(archive)), name_(std::move(name)) {}

DArchiveEntryStream::~DArchiveEntryStream() = default;

qel::lang::DStringPtr DArchiveEntryStream::getName() { return name_; }

DArchivePtr DArchiveEntryStream::getArchive() { return archive_; }

}  // namespace qel::io
