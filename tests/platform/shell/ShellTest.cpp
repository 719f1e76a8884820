#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <unistd.h>

#include "platform/shell/Shell.h"
#include "tests/platform/shell/probe/ShellProbe.h"
#include "tests/support/TempFolder.h"

namespace {

// A desktop opener on PATH that writes the address it is given to a file.
class DesktopOpener : public ::testing::Test {
protected:
  DesktopOpener() {
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
  }

  std::string opened() const {
    std::ifstream in(folder_ / "opened", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  nvtest::TempFolder folder_{"nv-shell"};
  std::string savedPath_;
};

TEST_F(DesktopOpener, AddressReachesTheBrowserAsUtf8WithPairsWhole) {
  wce::ShellExecuteInfo info;
  info.file = u"http://example.invalid/\u00E9\U0001F600";
  ASSERT_TRUE(wce::ShellExecuteEx(&info));
  EXPECT_EQ(opened(), "http://example.invalid/\xC3\xA9\xF0\x9F\x98\x80");
}

}  // namespace
