#include <fstream>
#include <gtest/gtest.h>
#include <map>

#include "EventLog.h"
#include "FolderWatch.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(EventLogTest, UserFolderFilesAreNamedAsRecords) {
  const std::map<std::string, std::string> names = {
      {"langid", "langid"},
      {"registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx/k.option/v.1", "option/1"},
      {"registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx/k.save1/v.12", "save1/12"},
      {"registry/HKEY_CURRENT_USER/k.software/k.palewinds/k.nvx/k.option/.pending", ""},
      {"registry/HKEY_CURRENT_USER/v.1", ""},
      {"registry/HKEY_CURRENT_USER", ""},
      {"Log_TDLX.txt", ""},
  };
  for (const auto& [path, name] : names) EXPECT_EQ(recordName(path), name) << path;
}

TEST(EventLogTest, ShortRecordsShowTheirBytesLongOnesACountAndHash) {
  EXPECT_EQ(describeBytes(std::string("\0\0\0\1", 4)), "00 00 00 01");
  EXPECT_EQ(describeBytes(""), "(empty)");
  const std::string longRecord(65, 'x');
  EXPECT_EQ(describeBytes(longRecord).rfind("65 bytes, hash ", 0), 0u);
  EXPECT_NE(describeBytes(longRecord), describeBytes(std::string(64, 'x') + "y"));
}

// The log skips its look at the user folder while nothing changed: every
// kind of change, in folders made after the first look too, must show.
TEST(EventLogTest, TheFolderWatchSeesEveryChangeBelowItsRoot) {
  const nvtest::TempFolder temp("nv-watch");
  const std::filesystem::path& root = temp.path();
  FolderWatch watch(root);
  EXPECT_TRUE(watch.changed());
  EXPECT_FALSE(watch.changed());
  const std::filesystem::path deep = root / "registry" / "k.store";
  std::filesystem::create_directories(deep);
  EXPECT_TRUE(watch.changed());
  const auto changes = [&](const char* what, auto change) {
    change();
    EXPECT_TRUE(watch.changed()) << what;
    EXPECT_FALSE(watch.changed()) << what;
  };
  changes("a file made", [&] { std::ofstream(deep / "v.1") << "a"; });
  changes("a file rewritten", [&] { std::ofstream(deep / "v.1") << "b"; });
  changes("a file renamed", [&] { std::filesystem::rename(deep / "v.1", deep / "v.2"); });
  changes("a file deleted", [&] { std::filesystem::remove(deep / "v.2"); });
  changes("a folder deleted", [&] { std::filesystem::remove_all(root / "registry"); });
}

}  // namespace
