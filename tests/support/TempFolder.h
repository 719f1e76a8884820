#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace nvtest {

// A fresh folder under the system's temporary folder (or base), removed
// with everything in it when the object goes.
class TempFolder {
public:
  explicit TempFolder(const std::string& prefix = "nv-test",
                      const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for " + prefix);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string string() const { return path_.string(); }
  std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

  // Writes a file below the folder, making the folders on its way.
  void writeFile(const std::filesystem::path& relative, const std::string& content) const {
    std::filesystem::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative, std::ios::binary) << content;
  }

private:
  std::filesystem::path path_;
};

inline std::string readWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace nvtest
