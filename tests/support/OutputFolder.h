#pragma once

#include <filesystem>
#include <string>

namespace nvtest {

// The folder in the build tree for what a test leaves for people to look at
// (PNG dumps): the test program's own build folder, or the sub-folder named.
inline std::filesystem::path outputFolder(const std::string& sub = {}) {
  std::filesystem::path folder = NV_TEST_BINARY_DIR;
  if (!sub.empty()) folder /= sub;
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace nvtest
