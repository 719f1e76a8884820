#include <gtest/gtest.h>
#include <random>
#include <string>

#include "platform/files/FileReader.h"
#include "tests/support/TempFolder.h"

namespace {

using wce::File;
using wce::FileReader;

std::string numberedBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

// Random reads of every size class and seeks from every origin, inside and
// outside the buffer and past the end: the reader answers exactly as the
// unbuffered file does.
TEST(FileReader, AnswersAsTheFileItReads) {
  nvtest::TempFolder folder;
  const std::string content = numberedBytes(3 * FileReader::LargestChunk + 123);
  folder.writeFile("data.bin", content);
  std::optional<File> plain = File::openForReading(folder.path() / "data.bin");
  std::optional<File> file = File::openForReading(folder.path() / "data.bin");
  ASSERT_TRUE(plain && file);
  FileReader reader(std::move(*file));
  std::mt19937 random(11);
  const std::size_t sizes[] = {0, 1, 2, 4, 30, 4095, 4096, 9000, 70000, 300000};
  std::string expected(300000, '\0'), got(300000, '\0');
  for (int step = 0; step < 4000; ++step) {
    if (random() % 3 == 0) {
      const auto origin = static_cast<File::Origin>(random() % 3);
      const std::int64_t distance = static_cast<std::int64_t>(random() % 16) * 5000 - 40000 + random() % 7;
      ASSERT_EQ(reader.seek(distance, origin), plain->seek(distance, origin)) << "step " << step;
    } else {
      const std::size_t size = sizes[random() % std::size(sizes)];
      const std::optional<std::size_t> want = plain->read(expected.data(), size);
      ASSERT_EQ(reader.read(got.data(), size), want) << "step " << step;
      ASSERT_EQ(got.compare(0, *want, expected, 0, *want), 0) << "step " << step;
    }
  }
}

TEST(FileReader, ClosedReaderFails) {
  nvtest::TempFolder folder;
  folder.writeFile("a", "abc");
  std::optional<File> file = File::openForReading(folder.path() / "a");
  ASSERT_TRUE(file);
  FileReader reader(std::move(*file));
  char c = 0;
  EXPECT_EQ(reader.read(&c, 1), 1u);
  reader.close();
  EXPECT_FALSE(reader.isOpen());
  EXPECT_FALSE(reader.read(&c, 1));
  EXPECT_FALSE(reader.seek(0, File::Origin::begin));
}

}  // namespace
