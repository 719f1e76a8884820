#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/DInputStream.h"
#include "io/SevenZipFolderDecoder.h"

namespace qel::io {

// Where each file of a 7z archive lies: its folder, its offset in the
// folder's output, its CRC, name and kind, read from the archive's header
// (plain or packed with one coder). Every count the header
// declares must fit in the bytes that hold it.
class SevenZipLayout {
public:
  struct Folder {
    SevenZipFolderDecoder::Folder packed;  // meaningful when single
    bool single = false;                   // one coder, one packed stream
    int64_t unpackSize = 0;
    int64_t streams = 1;  // files held
    std::optional<uint32_t> crc;
  };

  struct File {
    int32_t folder = -1;  // -1: no data (folders, empty files)
    int64_t offset = 0;   // in the folder's output
    int64_t size = 0;
    std::optional<uint32_t> crc;
    std::string name;  // UTF-8; meaningful when the layout is named
    bool directory = false;
  };

  // A header declaring more items than it has bytes for throws 0x06000000.
  // A stream that is no 7z archive, a damaged header and headers of shapes
  // this reader does not follow give an empty layout, for libarchive to judge.
  static SevenZipLayout read(DInputStream& source);

  bool empty() const { return files_.empty(); }
  // Whether every file's name and kind were read as libarchive reads them:
  // plain files and folders only, names of well-formed UTF-16.
  bool named() const { return named_; }
  const std::vector<File>& files() const { return files_; }
  const std::vector<Folder>& folders() const { return folders_; }
  // The folder of file index, -1 for none.
  int32_t folderOf(int32_t index) const;

private:
  class Parser;

  std::vector<Folder> folders_;
  std::vector<File> files_;
  bool named_ = false;
};

}  // namespace qel::io
