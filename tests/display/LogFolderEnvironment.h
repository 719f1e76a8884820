#pragma once
// Keeps the display library's log out of the working folder: every test of the
// suite logs into a temporary folder unless it names its own.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "display/device/Log.h"

namespace tdlx::testing {

class LogFolderEnvironment final : public ::testing::Environment {
public:
  void SetUp() override {
    char pattern[] = "/tmp/tdlx-suite-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    setLogFolder(folder_);
  }
  void TearDown() override {
    setLogFolder({});
    std::filesystem::remove_all(folder_);
  }
  static const std::filesystem::path& folder() { return folder_; }

private:
  static inline std::filesystem::path folder_;
};

}  // namespace tdlx::testing
