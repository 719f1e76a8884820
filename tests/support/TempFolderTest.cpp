#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

TEST(TempFolderTest, GoesWithItsObject) {
  std::filesystem::path made;
  {
    const nvtest::TempFolder folder("nv-support");
    made = folder.path();
    folder.writeFile("a/b.txt", "text");
    EXPECT_EQ(nvtest::readWhole(folder / "a/b.txt"), "text");
  }
  EXPECT_FALSE(std::filesystem::exists(made));
}

// A process ending by exit removes the folders it made and still holds, but
// not those of the process it was forked from.
TEST(TempFolderTest, ExitRemovesOnlyTheExitingProcesssFolders) {
  const nvtest::TempFolder base("nv-support");
  EXPECT_EXIT(
      {
        // Never destroyed, yet reachable from a static: the leak checker sees no leak.
        static const nvtest::TempFolder* left = nullptr;
        left = new nvtest::TempFolder("left", base.path());
        std::exit(std::filesystem::exists(left->path()) ? 0 : 1);
      },
      ::testing::ExitedWithCode(0),
      "");
  ASSERT_TRUE(std::filesystem::exists(base.path()));
  EXPECT_TRUE(std::filesystem::is_empty(base.path()));
}

}  // namespace
