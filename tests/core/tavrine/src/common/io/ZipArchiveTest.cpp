#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "TestZipWriter.h"
#include "io/DZipArchive.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

DArchivePtr openZip(const std::vector<uint8_t>& bytes) {
  DArchivePtr archive = new DZipArchive();
  archive->open(memoryStream(bytes), u"");
  return archive;
}

DArchivePtr openZip(const std::string& fixture) { return openZip(archiveBytes(fixture)); }

std::vector<uint8_t> bytesOfText(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace

TEST(DZipArchiveTest, LookupNormalisesOneLeadingSlashAndBackslashes) {
  struct Case {
    const char* fixture;
    const char* query;
    int32_t size;
  };
  const Case cases[] = {
      {"infozip.zip", "img/logo.png", 3000},
      {"infozip.zip", "/img/logo.png", 3000},
      {"infozip.zip", "img\\logo.png", 3000},
      {"infozip.zip", "\\img\\logo.png", 3000},
      {"infozip.zip", "//img/logo.png", -1},
      {"infozip.zip", "IMG/logo.png", -1},
      {"infozip.zip", "img/logo.pn", -1},
      {"infozip.zip", "", -1},
      {"infozip.zip", "empty.bin", 0},
      {"infozip.zip", "dir/", 0},
      {"infozip.zip", "text.txt", 11890},
      // Stored names are compared as they are: a stored '\' is never found.
      {"python.zip", "win\\path.txt", -1},
      {"python.zip", "win/path.txt", -1},
      // Of two equal names the later one counts.
      {"python.zip", "dup.txt", 7},
  };
  for (const Case& c : cases) {
    DArchivePtr archive = openZip(c.fixture);
    EXPECT_EQ(archive->lookupEntry(text(c.query)), c.size) << c.fixture << " " << c.query;
    EXPECT_EQ(archive->containsEntry(text(c.query)), c.size >= 0) << c.fixture << " " << c.query;
  }
  EXPECT_EQ(entryBytes(*openZip("python.zip"), "dup.txt"), bytesOfText("second\n"));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, openZip("python.zip")->lookupEntry(nullptr));
}

TEST(DZipArchiveTest, StoredAndDeflatedEntriesReadBackByteForByte) {
  struct Case {
    const char* fixture;
    const char* entry;
    const char* file;
  };
  const Case cases[] = {
      {"infozip.zip", "img/logo.png", "img/logo.png"},  // stored
      {"infozip.zip", "text.txt", "text.txt"},          // deflated, flag bit 1
      {"infozip.zip", "fast.txt", "text.txt"},          // deflated, flag bit 2
      {"infozip.zip", "Aa", "Aa"},
      {"infozip.zip", "empty.bin", "empty.bin"},
      {"python.zip", "text.txt", "text.txt"},
      {"comment-65534.zip", "text.txt", "text.txt"},
      {"comment-65535.zip", "text.txt", "text.txt"},
      {"comment-signature.zip", "text.txt", "text.txt"},
      // Data descriptors with their signature, from a pipe and an unseekable file.
      {"streamed.zip", "-", "text.txt"},
      {"python-descriptors.zip", "text.txt", "text.txt"},
      {"python-descriptors.zip", "img/logo.png", "img/logo.png"},
      {"python-descriptors.zip", "deflated-logo.png", "img/logo.png"},
      {"python-descriptors.zip", "empty-stored", "empty.bin"},
      {"python-descriptors.zip", "empty-deflated", "empty.bin"},
  };
  for (const Case& c : cases) {
    DArchivePtr archive = openZip(c.fixture);
    std::vector<uint8_t> expected = heldFileBytes(c.file);
    EXPECT_EQ(archive->lookupEntry(text(c.entry)), static_cast<int32_t>(expected.size()))
        << c.fixture << " " << c.entry;
    DInputStreamPtr in = archive->openEntryStream(text(c.entry));
    EXPECT_EQ(std::vector<uint8_t>(in->getData(), in->getData() + in->getDataLength()), expected)
        << c.fixture << " " << c.entry;
    auto* plain = dynamic_cast<DByteArrayInputStream*>(in.get());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getName()->length(), 0);
    EXPECT_EQ(plain->getArchive(), nullptr);
  }
}

TEST(DZipArchiveTest, EntriesThatCannotBeReadThrowIOAndLeaveTheRestReadable) {
  struct Case {
    const char* fixture;
    const char* entry;
  };
  const Case cases[] = {
      {"python.zip", "bzip2.txt"},         // method 12
      {"python.zip", "missing.txt"},       // absent
      {"size-too-small.zip", "text.txt"},  // inflates to more than the headers say
      {"corrupt.zip", "img/logo.png"},     // one stored byte flipped: bad CRC
  };
  for (const Case& c : cases) {
    DArchivePtr archive = openZip(c.fixture);
    EXPECT_THROWS_CODE(ExceptionCode::IO, archive->openEntryStream(text(c.entry))) << c.fixture << " " << c.entry;
  }
  EXPECT_EQ(openZip("python.zip")->lookupEntry(u"bzip2.txt"), 11890);
  EXPECT_EQ(entryBytes(*openZip("corrupt.zip"), "text.txt"), heldFileBytes("text.txt"));
}

TEST(DZipArchiveTest, LocalHeaderIsCheckedWhenItsEntryIsRead) {
  std::vector<uint8_t> bytes = archiveBytes("infozip.zip");
  ASSERT_EQ(bytes[0], 0x50);  // the local header of the first entry, img/logo.png
  bytes[0] = 0x51;
  DArchivePtr archive = openZip(bytes);
  EXPECT_EQ(archive->lookupEntry(u"img/logo.png"), 3000);
  EXPECT_THROWS_CODE(ExceptionCode::IO, archive->openEntryStream(u"img/logo.png"));
  EXPECT_EQ(entryBytes(*archive, "text.txt"), heldFileBytes("text.txt"));
}

TEST(DZipArchiveTest, Zip64ExtraFieldsGiveTheSizesAndOffsets) {
  for (const char* fixture : {"zip64.zip", "zip64-central.zip"}) {
    DArchivePtr archive = openZip(fixture);
    EXPECT_EQ(archive->lookupEntry(u"text.txt"), 11890) << fixture;
    EXPECT_EQ(entryBytes(*archive, "text.txt"), heldFileBytes("text.txt")) << fixture;
    EXPECT_EQ(entryBytes(*archive, "img/logo.png"), heldFileBytes("img/logo.png")) << fixture;
  }
  // A size marked as held in a Zip64 field that is not there.
  EXPECT_THROWS_CODE(ExceptionCode::IO, openZip("zip64-missing.zip"));
}

TEST(DZipArchiveTest, FilesThatAreNoZipArchiveAreRefused) {
  const uint8_t endSignature[] = {0x50, 0x4B, 0x05, 0x06};
  std::vector<uint8_t> endOnly(22, 0);
  std::copy(std::begin(endSignature), std::end(endSignature), endOnly.begin());
  std::vector<uint8_t> twoDisks = endOnly;
  twoDisks[4] = 1;
  std::vector<uint8_t> lostDirectory = endOnly;
  lostDirectory[8] = lostDirectory[10] = 1;  // one entry, directory at offset 0 of a file without it
  const std::vector<std::vector<uint8_t>> files = {
      {},
      std::vector<uint8_t>(endOnly.begin(), endOnly.begin() + 19),
      std::vector<uint8_t>(endOnly.begin(), endOnly.begin() + 21),
      std::vector<uint8_t>(100, 0x50),
      twoDisks,
      lostDirectory,
      archiveBytes("lzma.7z"),
  };
  for (size_t i = 0; i < files.size(); ++i) EXPECT_THROWS_CODE(ExceptionCode::IO, openZip(files[i])) << i;
  EXPECT_EQ(openZip(endOnly)->lookupEntry(u"x"), -1);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, DZipArchive().open(nullptr, u""));
}

TEST(DZipArchiveTest, SizesThatTheDataCannotHoldAreRefusedWithoutAllocatingThem) {
  TestZipWriter::Entry hugeStored = TestZipWriter::stored("stored", bytesOfText("abc"));
  hugeStored.uncompressedSize = 0x7FFFFFF0;
  hugeStored.data.resize(0);
  TestZipWriter::Entry hugeDeflated = TestZipWriter::deflated("deflated", bytesOfText("abc"), 6);
  hugeDeflated.uncompressedSize = 0x7FFFFFF0;
  TestZipWriter::Entry overLimit = TestZipWriter::stored("over", bytesOfText("abc"));
  overLimit.uncompressedSize = 0x80000000u;
  DArchivePtr archive = openZip(TestZipWriter::build({hugeStored, hugeDeflated, overLimit}));
  EXPECT_THROWS_CODE(ExceptionCode::IO, archive->openEntryStream(u"stored"));
  EXPECT_THROWS_CODE(ExceptionCode::IO, archive->openEntryStream(u"deflated"));
  EXPECT_EQ(archive->lookupEntry(u"over"), -1);
}

TEST(DZipArchiveTest, EveryValidDeflateStreamInflates) {
  std::mt19937 random(25);
  for (int level = 0; level <= 9; ++level) {
    std::vector<TestZipWriter::Entry> entries;
    std::vector<std::vector<uint8_t>> contents;
    for (int i = 0; i < 300; ++i) {
      // Sizes around the 1024-byte input chunks, alphabets from 2 to 256 symbols.
      size_t size = std::uniform_int_distribution<size_t>(1, 6000)(random);
      int symbols = std::uniform_int_distribution<int>(2, 256)(random);
      std::vector<uint8_t> content(size);
      for (uint8_t& b : content) b = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, symbols - 1)(random));
      entries.push_back(TestZipWriter::deflated("e" + std::to_string(i), content, level));
      contents.push_back(std::move(content));
    }
    DArchivePtr archive = openZip(TestZipWriter::build(entries));
    for (size_t i = 0; i < entries.size(); ++i)
      ASSERT_EQ(entryBytes(*archive, entries[i].name), contents[i]) << "level " << level << " entry " << i;
  }
}
