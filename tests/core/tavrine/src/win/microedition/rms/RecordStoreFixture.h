#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <system_error>

#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/core/tavrine/src/common/lang/TestHost.h"
#include "tests/support/TempFolder.h"

// Memory-backed when the system has it: writes there take no time in the
// storage device, so a killed writer stops inside its file operations.
inline std::filesystem::path folderBase() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// A fresh registry under the system's temporary folder, and an application
// named "A", for each test.
class RecordStoreFixture : public ::testing::Test {
public:
  static qel::lang::DbyteArrayPtr bytes(const std::string& text) {
    qel::lang::DbyteArrayPtr array = new qel::lang::DbyteArray(static_cast<int32_t>(text.size()));
    std::copy(text.begin(), text.end(), reinterpret_cast<char*>(array->data()));
    return array;
  }

  static std::string text(const qel::lang::DbyteArrayPtr& array) {
    return std::string(reinterpret_cast<const char*>(array->data()), static_cast<size_t>(array->length()));
  }

protected:
  void SetUp() override {
    root_ = std::make_unique<nvtest::TempFolder>("nv-rms", folderBase());
    wce::setRegistryRoot(root_->path());
  }
  void TearDown() override {
    wce::setRegistryRoot({});
    root_.reset();
  }

  // The folder of a store key "Software\Palewinds\<app>\<store>" on disk.
  std::filesystem::path storeFolder(const std::string& app, const std::string& store) const {
    return root_->path() / "HKEY_CURRENT_USER" / "k.software" / "k.palewinds" / ("k." + app) / ("k." + store);
  }

  std::unique_ptr<nvtest::TempFolder> root_;
  qel::lang::ApplicationNameHost host_{u"A"};
};
