#include "Golden.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

std::filesystem::path goldenFile(const std::string& name) {
  return std::filesystem::path(NV_SOURCE_DIR) / "tests/projects/nvx/driver/golden" / (name + ".log");
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

std::string compareWithGolden(const std::string& name, const std::string& log) {
  const std::filesystem::path file = goldenFile(name);
  const char* update = std::getenv("NV_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << log;
    return {};
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) return "no golden log " + file.string() + " (NV_UPDATE_GOLDEN=1 writes it)";
  const std::vector<std::string> expected = linesOf(std::string(std::istreambuf_iterator<char>(in), {}));
  const std::vector<std::string> actual = linesOf(log);
  for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    const std::string want = i < expected.size() ? expected[i] : "(end)";
    const std::string got = i < actual.size() ? actual[i] : "(end)";
    if (want != got)
      return file.string() + " line " + std::to_string(i + 1) + ": expected \"" + want + "\", got \"" + got +
             "\"\nwhole log:\n" + log;
  }
  return {};
}
