#pragma once
// Keeps the display library's log out of the working folder: every test of the
// suite logs into a temporary folder unless it names its own.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "display/device/Log.h"
#include "tests/support/TempFolder.h"

namespace tdlx::testing {

class LogFolderEnvironment final : public ::testing::Environment {
public:
  void SetUp() override {
    temp_ = std::make_unique<nvtest::TempFolder>("tdlx-suite");
    folder_ = temp_->path();
    setLogFolder(folder_);
  }
  void TearDown() override {
    setLogFolder({});
    temp_.reset();
  }
  static const std::filesystem::path& folder() { return folder_; }

private:
  std::unique_ptr<nvtest::TempFolder> temp_;
  static inline std::filesystem::path folder_;
};

}  // namespace tdlx::testing
