#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

// Builds small zip archives whose fields a test chooses, for cases no zip
// tool writes (random deflate streams, sizes that lie).
class TestZipWriter {
public:
  struct Entry {
    std::string name;
    uint16_t method = 0;
    std::vector<uint8_t> data;  // as stored in the file
    uint32_t crc = 0;
    uint32_t uncompressedSize = 0;
  };

  // A deflated entry of content at level (raw deflate).
  static Entry deflated(const std::string& name, const std::vector<uint8_t>& content, int level) {
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&stream, content.size()));
    stream.next_in = const_cast<Bytef*>(content.data());
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return {name, 8, out, crcOf(content), static_cast<uint32_t>(content.size())};
  }

  static Entry stored(const std::string& name, const std::vector<uint8_t>& content) {
    return {name, 0, content, crcOf(content), static_cast<uint32_t>(content.size())};
  }

  static uint32_t crcOf(const std::vector<uint8_t>& bytes) {
    return static_cast<uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
  }

  static std::vector<uint8_t> build(const std::vector<Entry>& entries) {
    std::vector<uint8_t> out;
    std::vector<uint32_t> offsets;
    for (const Entry& e : entries) {
      offsets.push_back(static_cast<uint32_t>(out.size()));
      put32(out, 0x04034b50);
      fixedFields(out, e);
      out.insert(out.end(), e.name.begin(), e.name.end());
      out.insert(out.end(), e.data.begin(), e.data.end());
    }
    uint32_t directory = static_cast<uint32_t>(out.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      const Entry& e = entries[i];
      put32(out, 0x02014b50);
      put16(out, 20);
      fixedFields(out, e);
      put16(out, 0);  // comment
      put16(out, 0);  // disk
      put16(out, 0);  // internal attributes
      put32(out, 0);  // external attributes
      put32(out, offsets[i]);
      out.insert(out.end(), e.name.begin(), e.name.end());
    }
    uint32_t directorySize = static_cast<uint32_t>(out.size()) - directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint16_t>(entries.size()));
    put16(out, static_cast<uint16_t>(entries.size()));
    put32(out, directorySize);
    put32(out, directory);
    put16(out, 0);
    return out;
  }

private:
  static void fixedFields(std::vector<uint8_t>& out, const Entry& e) {
    put16(out, 20);  // version needed
    put16(out, 0);   // flags
    put16(out, e.method);
    put16(out, 0);     // time
    put16(out, 0x21);  // date
    put32(out, e.crc);
    put32(out, static_cast<uint32_t>(e.data.size()));
    put32(out, e.uncompressedSize);
    put16(out, static_cast<uint16_t>(e.name.size()));
    put16(out, 0);  // extra
  }
  static void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  }
  static void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v));
    put16(out, static_cast<uint16_t>(v >> 16));
  }
};
