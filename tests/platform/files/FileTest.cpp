#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

#include "platform/files/File.h"
#include "platform/files/FileOffset.h"
#include "platform/files/FileReader.h"
#include "tests/support/TempFolder.h"

namespace {

using wce::File;
using wce::FileReader;

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

// A sparse file past 4 GiB: a position above 32 bits reaches its own bytes,
// not those at the position's low 32 bits.
TEST(File, ReachesPositionsPastFourGiB) {
  constexpr std::int64_t far = (std::int64_t{1} << 32) + 10;
  nvtest::TempFolder folder;
  const std::filesystem::path path = folder.path() / "sparse.bin";
  {
    std::optional<File> out = File::createForWriting(path);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->seek(10, File::Origin::begin), 10);
    ASSERT_TRUE(out->writeAll("near", 4));
    ASSERT_EQ(out->seek(far, File::Origin::begin), far);
    ASSERT_TRUE(out->writeAll("far!", 4));
  }
  EXPECT_EQ(std::filesystem::file_size(path), static_cast<std::uintmax_t>(far + 4));

  std::optional<File> file = File::openForReading(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), far + 4);
  char bytes[4] = {};
  ASSERT_EQ(file->readAt(bytes, 4, far), 4u);
  EXPECT_EQ(std::string(bytes, 4), "far!");
  ASSERT_EQ(file->readAt(bytes, 4, 10), 4u);
  EXPECT_EQ(std::string(bytes, 4), "near");
  EXPECT_EQ(file->seek(-4, File::Origin::end), far);
  ASSERT_EQ(file->read(bytes, 4), 4u);
  EXPECT_EQ(std::string(bytes, 4), "far!");

  FileReader reader(std::move(*file));
  EXPECT_EQ(reader.seek(far - 2, File::Origin::begin), far - 2);
  char tail[8] = {};
  ASSERT_EQ(reader.read(tail, 8), 6u);
  EXPECT_EQ(std::string(tail, 6), std::string("\0\0far!", 6));
}

// A position the host's offset type cannot hold is refused, never cut to
// its low bits; a 32-bit offset type stands for a 32-bit host.
TEST(File, OffsetsOutsideTheHostTypeAreRefused) {
  constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t int32Min = std::numeric_limits<std::int32_t>::min();
  struct Row {
    std::int64_t value;
    bool fitsInt32;
  };
  const Row rows[] = {
      {0, true},
      {-1, true},
      {int32Max, true},
      {int32Min, true},
      {int32Max + 1, false},
      {int32Min - 1, false},
      {(std::int64_t{1} << 32) + 10, false},
      {std::numeric_limits<std::int64_t>::max(), false},
      {std::numeric_limits<std::int64_t>::min(), false},
  };
  for (const Row& row : rows) {
    const std::optional<std::int32_t> narrow = wce::toFileOffset<std::int32_t>(row.value);
    EXPECT_EQ(narrow.has_value(), row.fitsInt32) << row.value;
    EXPECT_EQ(narrow.value_or(0), row.fitsInt32 ? row.value : 0) << row.value;
    EXPECT_EQ(wce::toFileOffset<std::int64_t>(row.value), row.value);
  }
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
