#include "tools/demodata/lib/ZipWriter.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <zlib.h>

namespace nv::demodata {

namespace {

class LittleEndian {
public:
  explicit LittleEndian(Bytes& out) : out_(out) {}
  void u16(std::uint32_t v) {
    out_.push_back(static_cast<std::uint8_t>(v));
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void text(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }

private:
  Bytes& out_;
};

// 1 January 2026, 00:00: a fixed stamp keeps the archive reproducible.
constexpr std::uint32_t kDosTime = 0;
constexpr std::uint32_t kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;

void checkName(const std::string& name) {
  if (name.empty() || name.size() > 255) throw std::runtime_error("bad archive name length: " + name);
  if (name.front() == '/' || name.rfind("./", 0) == 0 || name.back() == '/' || name.back() == ' ')
    throw std::runtime_error("bad archive name: " + name);
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E || c == '\\')
      throw std::runtime_error("archive name must be printable ASCII without blanks: " + name);
}

}  // namespace

std::uint32_t crc32Of(const Bytes& data) {
  return static_cast<std::uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size())));
}

Bytes deflateRaw(const Bytes& data) {
  z_stream zs{};
  if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  Bytes out(deflateBound(&zs, static_cast<uLong>(data.size())));
  zs.next_in = const_cast<Bytef*>(data.data());
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

bool inflatesLikeTheGame(const Bytes& deflated, std::size_t size) {
  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
  Bytes out(size);
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  std::size_t fed = 0;
  bool ok = false;
  while (true) {
    if (zs.avail_in == 0 && fed < deflated.size()) {
      const std::size_t chunk = std::min<std::size_t>(1024, deflated.size() - fed);
      zs.next_in = const_cast<Bytef*>(deflated.data() + fed);
      zs.avail_in = static_cast<uInt>(chunk);
      fed += chunk;
    }
    const int rc = inflate(&zs, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
      ok = zs.total_out == size;
      break;
    }
    if (rc != Z_OK || zs.avail_out == 0) break;
    if (zs.avail_in == 0 && fed == deflated.size()) break;
  }
  inflateEnd(&zs);
  return ok;
}

void ZipWriter::add(const std::string& name, const Bytes& data) {
  checkName(name);
  for (const Entry& e : entries_)
    if (e.name == name) throw std::runtime_error("duplicate archive name: " + name);
  Entry entry{name, 0, crc32Of(data), static_cast<std::uint32_t>(data.size()), data};
  if (!data.empty()) {
    Bytes deflated = deflateRaw(data);
    if (deflated.size() < data.size() && inflatesLikeTheGame(deflated, data.size())) {
      entry.method = 8;
      entry.stored = std::move(deflated);
    }
  }
  entries_.push_back(std::move(entry));
}

Bytes ZipWriter::finish() const {
  Bytes out;
  LittleEndian le(out);
  // From the version needed to the name's length, alike in both headers.
  auto entryFields = [&le](const Entry& e) {
    le.u16(e.method == 8 ? 20 : 10);
    le.u16(e.method == 8 ? 2 : 0);  // flags: maximum compression, never bit 3
    le.u16(static_cast<std::uint32_t>(e.method));
    le.u16(kDosTime);
    le.u16(kDosDate);
    le.u32(e.crc);
    le.u32(static_cast<std::uint32_t>(e.stored.size()));
    le.u32(e.size);
    le.u16(static_cast<std::uint32_t>(e.name.size()));
  };
  std::vector<std::uint32_t> offsets;
  for (const Entry& e : entries_) {
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    le.u32(0x04034b50);
    entryFields(e);
    le.u16(0);  // extra
    le.text(e.name);
    out.insert(out.end(), e.stored.begin(), e.stored.end());
  }
  const auto centralStart = static_cast<std::uint32_t>(out.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    le.u32(0x02014b50);
    le.u16(20);  // made by: MS-DOS attributes, version 2.0
    entryFields(e);
    le.u16(0);  // extra
    le.u16(0);  // comment
    le.u16(0);  // disk
    le.u16(0);  // internal attributes
    le.u32(0);  // external attributes
    le.u32(offsets[i]);
    le.text(e.name);
  }
  const auto centralSize = static_cast<std::uint32_t>(out.size()) - centralStart;
  le.u32(0x06054b50);
  le.u16(0);
  le.u16(0);
  le.u16(static_cast<std::uint32_t>(entries_.size()));
  le.u16(static_cast<std::uint32_t>(entries_.size()));
  le.u32(centralSize);
  le.u32(centralStart);
  le.u16(0);
  if (!std::in_range<std::uint32_t>(out.size())) throw std::runtime_error("archive larger than 4 GiB");
  return out;
}

}  // namespace nv::demodata
