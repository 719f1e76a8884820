#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/support/TempFolder.h"
#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/DataSet.h"

namespace nv::demodata::test {

// Reads the game's big-endian encodings back, independently of the writers.
class Reader {
public:
  explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
  int u8() {
    if (at_ >= bytes_.size()) throw std::out_of_range("end of data");
    return bytes_[at_++];
  }
  int s8() { return static_cast<std::int8_t>(u8()); }
  int u16() {
    const int hi = u8();
    return (hi << 8) | u8();
  }
  int s16() { return static_cast<std::int16_t>(u16()); }
  std::int32_t s32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<std::uint32_t>(u8());
    return static_cast<std::int32_t>(v);
  }
  // A readUTF string decoded to UTF-16 units; throws on malformed modified UTF-8.
  std::u16string utf();
  bool atEnd() const { return at_ == bytes_.size(); }
  std::size_t position() const { return at_; }

private:
  const Bytes& bytes_;
  std::size_t at_ = 0;
};

// The demo data set, built once from the repository's data/ folder and written to a temporary folder
// that lasts as long as the process.
struct DemoData {
  static const DemoData& get();
  DataSet set;
  std::filesystem::path folder;    // holds game.dat and engine.ini
  std::filesystem::path unpacked;  // game.dat extracted by unzip
  const Bytes& entry(const std::string& name) const;
};

// Runs a shell command; returns its exit status and fills `output` with its standard output.
int run(const std::string& command, std::string* output = nullptr);
Bytes readFile(const std::filesystem::path& path);
std::string shellQuoted(const std::filesystem::path& path);

}  // namespace nv::demodata::test
