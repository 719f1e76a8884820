#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "io/D7zArchive.ptr.h"
#include "io/DArchive.h"
#include "io/SevenZipLayout.h"
#include "lang/DbyteArray.ptr.h"

namespace qel::io {

class SevenZipReader;

// A 7z archive read through libarchive (solid archives and every coder it
// knows included); its header is read by our own layout reader alone when
// that can follow it. Names are found exactly as stored, after '\' is read as
// '/' and every leading separator is dropped; of two equal names the first
// counts; folders are never found. Entries are checked against their CRC.
// An entry alone in a folder of one Copy, LZMA or LZMA2 coder is decoded
// straight from its packed bytes, so entries read in any order cost the
// same; the others go through one libarchive reader, which steps on within
// a folder and starts again for an earlier entry or another folder.
class D7zArchive final : public DArchive {
public:
  // The longest name that can be found, in UTF-8 bytes.
  static constexpr size_t MaxNameBytes = 255;

  D7zArchive();
  ~D7zArchive() override;

  // A DArchiveEntryStream holding this archive and the name as given. A null
  // name throws 0x05000080; an absent entry and damaged data 0x06000000.
  DInputStreamPtr openEntryStream(qel::lang::DStringPtr name) override;
  bool containsEntry(qel::lang::DStringPtr name) override;
  int32_t lookupEntry(qel::lang::DStringPtr name) override;
  // A null source throws 0x05000080, a stream that is no 7z archive 0x06000000.
  void open(DInputStreamPtr source, qel::lang::DStringPtr password) override;

private:
  struct Entry {
    int32_t index;
    int32_t size;
  };

  // The names as the layout read them; when it could not, as libarchive
  // lists them.
  void listLayout();
  void listThroughLibarchive();
  void addEntry(const std::string& name, int32_t index, int64_t size, bool directory);
  // Null name throws 0x05000080; null when there is no such file.
  const Entry* findEntry(const qel::lang::DStringPtr& name) const;
  qel::lang::DbyteArrayPtr extract(const Entry& entry, const qel::lang::DStringPtr& name);
  // The entry's bytes decoded from its own folder; null when its folder
  // holds more than it or needs libarchive.
  qel::lang::DbyteArrayPtr decodeAlone(const Entry& entry, const qel::lang::DStringPtr& name);
  qel::lang::DbyteArrayPtr readThroughLibarchive(const Entry& entry, const qel::lang::DStringPtr& name);
  // A reader about to reach index: the one left by the last extraction
  // when it has not passed index yet and stepping on decodes nothing of
  // other folders, else a new one (which steps over folders unread).
  SevenZipReader& readerBefore(int32_t index);
  // Whether a reader that has read entry from reaches entry to decoding
  // nothing but to's own folder.
  bool stepsOnWithinFolder(int32_t from, int32_t to) const;

  DInputStreamPtr source_;
  std::unordered_map<std::string, Entry> entries_;
  std::unique_ptr<SevenZipReader> reader_;
  SevenZipLayout layout_;
};

}  // namespace qel::io
