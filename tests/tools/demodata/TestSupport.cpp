#include "TestSupport.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>

namespace nv::demodata::test {

std::u16string Reader::utf() {
  const int length = u16();
  const std::size_t end = at_ + static_cast<std::size_t>(length);
  if (end > bytes_.size()) throw std::out_of_range("string beyond the data");
  std::u16string out;
  while (at_ < end) {
    const int b0 = u8();
    const auto next = [&] {
      if (at_ >= end) throw std::runtime_error("cut sequence");
      const int b = u8();
      if ((b & 0xC0) != 0x80) throw std::runtime_error("bad continuation");
      return b & 0x3F;
    };
    if (b0 < 0x80)
      out += static_cast<char16_t>(b0);
    else if ((b0 & 0xE0) == 0xC0)
      out += static_cast<char16_t>(((b0 & 0x1F) << 6) | next());
    else if ((b0 & 0xF0) == 0xE0) {
      const int b1 = next();
      out += static_cast<char16_t>(((b0 & 0x0F) << 12) | (b1 << 6) | next());
    } else
      throw std::runtime_error("malformed lead byte");
  }
  return out;
}

int run(const std::string& command, std::string* output) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, n);
  const int status = pclose(pipe.release());
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string shellQuoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

const DemoData& DemoData::get() {
  static const nvtest::TempFolder folder("nv-demodata");
  static const DemoData data = [] {
    DemoData d{DataSet::build(std::filesystem::path(NV_SOURCE_DIR) / "data"), folder.path(), {}};
    d.set.writeTo(d.folder);
    d.unpacked = d.folder / "unpacked";
    std::filesystem::create_directories(d.unpacked);
    if (run("unzip -q -o " + shellQuoted(d.folder / "game.dat") + " -d " + shellQuoted(d.unpacked)) != 0)
      throw std::runtime_error("unzip could not extract game.dat");
    return d;
  }();
  return data;
}

const Bytes& DemoData::entry(const std::string& name) const {
  const ArchiveEntry* e = set.find(name);
  if (e == nullptr) throw std::runtime_error("no entry " + name);
  return e->data;
}

}  // namespace nv::demodata::test
