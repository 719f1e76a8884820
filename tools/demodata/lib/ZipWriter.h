#pragma once

#include <string>
#include <vector>

#include "tools/demodata/lib/Bytes.h"

namespace nv::demodata {

// Writes a single-disk zip archive of stored (0) and deflated (8) entries: no data descriptors,
// no zip64, no comment, no encryption, local and central names identical.
class ZipWriter {
public:
  // Throws on an empty, absolute, non-ASCII or duplicate name.
  void add(const std::string& name, const Bytes& data);
  Bytes finish() const;

  struct Entry {
    std::string name;
    int method;
    std::uint32_t crc;
    std::uint32_t size;
    Bytes stored;
  };
  const std::vector<Entry>& entries() const { return entries_; }

private:
  std::vector<Entry> entries_;
};

// Raw deflate (no zlib header) at the best level.
Bytes deflateRaw(const Bytes& data);

// Inflates the way the game's reader does: input in chunks of at most 1024 bytes, the output buffer
// exactly `size` bytes, a full buffer while inflate still answers Z_OK counting as failure.
bool inflatesLikeTheGame(const Bytes& deflated, std::size_t size);

std::uint32_t crc32Of(const Bytes& data);

}  // namespace nv::demodata
