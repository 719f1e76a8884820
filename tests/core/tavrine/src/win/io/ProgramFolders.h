#pragma once

#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>
#include <system_error>

#include "platform/testing/FolderOverrides.h"
#include "tests/support/TempFolder.h"

// A fresh program folder and user folder under the system's temporary
// folder, installed for the test and removed afterwards.
class ProgramFolders {
public:
  ProgramFolders() {
    std::filesystem::create_directories(program());
    std::filesystem::create_directories(user());
    wce::setProgramFolder(program());
    wce::setUserFolder(user());
  }
  ~ProgramFolders() {
    wce::setProgramFolder({});
    wce::setUserFolder({});
  }
  ProgramFolders(const ProgramFolders&) = delete;
  ProgramFolders& operator=(const ProgramFolders&) = delete;

  std::filesystem::path program() const { return root_ / "program"; }
  std::filesystem::path user() const { return root_ / "user"; }

  void writeProgramFile(const std::filesystem::path& relative, const std::string& content) const {
    std::filesystem::create_directories((program() / relative).parent_path());
    std::ofstream(program() / relative, std::ios::binary) << content;
  }

  static std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

private:
  nvtest::TempFolder root_{"nv-io"};
};
