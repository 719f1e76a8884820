#include <gtest/gtest.h>
#include <map>

#include "EventLog.h"

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

}  // namespace
