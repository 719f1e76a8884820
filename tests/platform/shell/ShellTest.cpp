#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <unistd.h>

#include "platform/shell/Shell.h"
#include "tests/platform/shell/probe/ShellProbe.h"

namespace {

// A desktop opener on PATH that writes the address it is given to a file.
class DesktopOpener : public ::testing::Test {
protected:
  DesktopOpener() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nv-shell-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    std::ofstream(folder_ / "xdg-open") << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << (folder_ / "opened").string()
                                        << "\"\n";
    std::filesystem::permissions(folder_ / "xdg-open", std::filesystem::perms::owner_all);
    const char* path = ::getenv("PATH");
    savedPath_ = path ? path : "";
    ::setenv("PATH", (folder_.string() + ":" + savedPath_).c_str(), 1);
    ::setenv("NIGHTVAULT_OPEN_URLS", "1", 1);
  }
  ~DesktopOpener() override {
    ::setenv("PATH", savedPath_.c_str(), 1);
    ::unsetenv("NIGHTVAULT_OPEN_URLS");
    wce::clearRecordedShellRequests();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }

  std::string opened() const {
    std::ifstream in(folder_ / "opened", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder_;
  std::string savedPath_;
};

TEST_F(DesktopOpener, AddressReachesTheBrowserAsUtf8WithPairsWhole) {
  wce::ShellExecuteInfo info;
  info.file = u"http://example.invalid/\u00E9\U0001F600";
  ASSERT_TRUE(wce::ShellExecuteEx(&info));
  EXPECT_EQ(opened(), "http://example.invalid/\xC3\xA9\xF0\x9F\x98\x80");
}

}  // namespace
