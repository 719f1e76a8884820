#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files/File.h"
#include "tests/support/TempFolder.h"

namespace {

using wce::File;

TEST(File, ReadsUntilTheEndThenAnswersZero) {
  nvtest::TempFolder folder;
  folder.writeFile("ten.bin", "0123456789");
  std::optional<File> file = File::openForReading(folder.path() / "ten.bin");
  ASSERT_TRUE(file);
  char buffer[16] = {};
  EXPECT_EQ(file->read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(file->read(buffer, 16), 6u);
  EXPECT_EQ(file->read(buffer, 16), 0u);
}

TEST(File, RefusesMissingFilesFoldersAndFifos) {
  nvtest::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "sub");
  ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0600), 0);
  EXPECT_FALSE(File::openForReading(folder.path() / "missing"));
  EXPECT_FALSE(File::openForReading(folder.path() / "sub"));
  EXPECT_FALSE(File::openForReading(folder.path() / "pipe"));
}

TEST(File, SeeksFromEachOriginAndRefusesNegativePositions) {
  nvtest::TempFolder folder;
  folder.writeFile("ten.bin", "0123456789");
  std::optional<File> file = File::openForReading(folder.path() / "ten.bin");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->seek(4, File::Origin::begin), 4);
  EXPECT_EQ(file->seek(2, File::Origin::current), 6);
  EXPECT_EQ(file->seek(0, File::Origin::end), 10);
  EXPECT_EQ(file->seek(5, File::Origin::end), 15);
  EXPECT_FALSE(file->seek(-1, File::Origin::begin));
  EXPECT_FALSE(file->seek(-16, File::Origin::current));
  EXPECT_EQ(file->seek(0, File::Origin::current), 15);
  EXPECT_EQ(file->seek(5000000000LL, File::Origin::begin), 5000000000LL);
}

TEST(File, CreateTruncatesAndWritesEverything) {
  nvtest::TempFolder folder;
  folder.writeFile("out.bin", "old content");
  std::optional<File> file = File::createForWriting(folder.path() / "out.bin");
  ASSERT_TRUE(file);
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "out.bin"), 0u);
  const std::string big(1 << 20, 'x');
  EXPECT_TRUE(file->writeAll(big.data(), big.size()));
  EXPECT_TRUE(file->writeAll("", 0));
  EXPECT_TRUE(file->flush());
  file->close();
  EXPECT_FALSE(file->isOpen());
  EXPECT_FALSE(file->writeAll("x", 1));
  EXPECT_FALSE(file->flush());
  EXPECT_EQ(nvtest::readWhole(folder.path() / "out.bin"), big);
}

TEST(File, MovingHandsTheDescriptorOver) {
  nvtest::TempFolder folder;
  folder.writeFile("a", "abc");
  std::optional<File> file = File::openForReading(folder.path() / "a");
  ASSERT_TRUE(file);
  File moved = std::move(*file);
  EXPECT_FALSE(file->isOpen());
  char c = 0;
  EXPECT_EQ(moved.read(&c, 1), 1u);
  EXPECT_EQ(c, 'a');
}

}  // namespace
