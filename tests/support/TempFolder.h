#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace nvtest {

// Where temporary folders go: the test's own build folder, so that tests
// write only under the build tree (the system's temporary folder for a
// program built without one).
inline std::filesystem::path scratchRoot() {
#ifdef NV_TEST_BINARY_DIR
  const std::filesystem::path root = std::filesystem::path(NV_TEST_BINARY_DIR) / "scratch";
#else
  const std::filesystem::path root = std::filesystem::temp_directory_path();
#endif
  std::filesystem::create_directories(root);
  return root;
}

// A fresh folder under scratchRoot() (or base), removed with everything in
// it when the object goes, or when its process ends by std::exit (a death
// test's child) with the object still alive.
class TempFolder {
public:
  explicit TempFolder(const std::string& prefix = "nv-test", const std::filesystem::path& base = scratchRoot()) {
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder for " + prefix);
    path_ = pattern;
    Live& live = Live::instance();
    const std::lock_guard<std::mutex> lock(live.guard);
    live.folders.emplace_back(path_, ::getpid());
  }
  ~TempFolder() {
    Live& live = Live::instance();
    {
      const std::lock_guard<std::mutex> lock(live.guard);
      const auto at = std::find(live.folders.begin(), live.folders.end(), std::make_pair(path_, ::getpid()));
      if (at != live.folders.end()) live.folders.erase(at);
    }
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
  // The folders alive, each with the process that made it: a forked child
  // ending by exit leaves its parent's folders alone.
  struct Live {
    std::mutex guard;
    std::vector<std::pair<std::filesystem::path, pid_t>> folders;

    // Never destroyed, so that folders of static lifetime may still leave it.
    static Live& instance() {
      static Live* const live = [] {
        Live* made = new Live();
        std::atexit(&removeLeftOvers);
        return made;
      }();
      return *live;
    }
    static void removeLeftOvers() {
      Live& live = instance();
      const std::lock_guard<std::mutex> lock(live.guard);
      for (const auto& [path, owner] : live.folders) {
        std::error_code error;
        if (owner == ::getpid()) std::filesystem::remove_all(path, error);
      }
    }
  };

  std::filesystem::path path_;
};

inline std::string readWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace nvtest
