#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <vector>

#include "platform/registry/Registry.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/support/TempFolder.h"

// Points the registry at a fresh temporary folder.
class RegistryTest : public ::testing::Test {
protected:
  RegistryTest() {
    root_ = base_ / "registry";
    wce::setRegistryRoot(root_);
  }
  ~RegistryTest() override { wce::setRegistryRoot({}); }

  wce::HKEY create(std::u16string_view path, wce::HKEY parent = wce::HKEY_CURRENT_USER) {
    wce::HKEY key = wce::HKEY_NULL;
    EXPECT_EQ(wce::RegCreateKeyExW(parent, path, &key), wce::ERROR_SUCCESS);
    return key;
  }

  static wce::LONG set(wce::HKEY key, std::u16string_view name, const std::string& data) {
    return wce::RegSetValueExW(key,
                               name,
                               wce::REG_BINARY,
                               reinterpret_cast<const wce::BYTE*>(data.data()),
                               static_cast<wce::DWORD>(data.size()));
  }

  static std::string get(wce::HKEY key, std::u16string_view name) {
    wce::DWORD size = 0;
    if (wce::RegQueryValueExW(key, name, nullptr, nullptr, &size) != wce::ERROR_SUCCESS) return "<missing>";
    std::string data(size, '\0');
    wce::BYTE* buffer = size == 0 ? reinterpret_cast<wce::BYTE*>(&size) : reinterpret_cast<wce::BYTE*>(data.data());
    if (wce::RegQueryValueExW(key, name, nullptr, buffer, &size) != wce::ERROR_SUCCESS) return "<unreadable>";
    data.resize(size);
    return data;
  }

  static std::vector<std::u16string> valueNames(wce::HKEY key) {
    std::vector<std::u16string> names;
    for (wce::DWORD i = 0;; ++i) {
      char16_t name[256];
      wce::DWORD length = 256;
      if (wce::RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr) != wce::ERROR_SUCCESS) break;
      names.emplace_back(name, length);
    }
    return names;
  }

  nvtest::TempFolder base_{"nv-registry"};
  std::filesystem::path root_;
};
