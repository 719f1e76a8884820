#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "io/D7zArchive.h"
#include "io/DArchiveEntryStream.h"
#include "io/SevenZipLayout.h"
#include "io/SevenZipReader.h"
#include "lang/DString.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

DArchivePtr open7z(const std::string& fixture) {
  DArchivePtr archive = new D7zArchive();
  archive->open(memoryStream(archiveBytes(fixture)), u"");
  return archive;
}

std::vector<uint8_t> bytesOfText(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace

TEST(D7zArchiveTest, LookupDropsEveryLeadingSeparatorAndComparesWholeNames) {
  struct Case {
    const char* query;
    int32_t size;
  };
  const Case cases[] = {
      {"img/logo.png", 3000},
      {"/img/logo.png", 3000},
      {"//img/logo.png", 3000},
      {"\\img\\logo.png", 3000},
      {"\\/img\\logo.png", 3000},
      {"IMG/logo.png", -1},
      {"img/logo.pn", -1},
      {"img/logo.png/", -1},
      {"text.txt", 11890},
      {"empty.bin", 0},
      {"Aa", 14},
      {"BB", -1},   // same 31-hash as "Aa"
      {"dir", -1},  // folders are never found
      {"dir/", -1},
      {"", -1},
      {"/", -1},
  };
  for (const char* fixture : {"lzma.7z", "solid.7z"}) {
    DArchivePtr archive = open7z(fixture);
    for (const Case& c : cases) {
      if (std::string(fixture) == "solid.7z" && std::string(c.query) == "BB") continue;  // solid.7z holds BB
      EXPECT_EQ(archive->lookupEntry(text(c.query)), c.size) << fixture << " " << c.query;
      EXPECT_EQ(archive->containsEntry(text(c.query)), c.size >= 0) << fixture << " " << c.query;
      if (c.size < 0) {
        EXPECT_THROWS_CODE(ExceptionCode::IO, archive->openEntryStream(text(c.query))) << c.query;
      }
    }
  }
  DArchivePtr archive = open7z("lzma.7z");
  // Units beyond 8 bits are not cut down to a stored name.
  EXPECT_EQ(archive->lookupEntry(DStringPtr(new DString(u"\u0141a"))), -1);
  EXPECT_EQ(archive->lookupEntry(DStringPtr(new DString(u"A\xDC00"))), -1);
  EXPECT_EQ(archive->lookupEntry(text(std::string(300, 'a'))), -1);
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, archive->lookupEntry(nullptr));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, archive->openEntryStream(nullptr));
}

TEST(D7zArchiveTest, EntriesOfEveryShapeReadBackInAnyOrder) {
  const std::vector<std::string> names = {"img/logo.png", "text.txt", "Aa", "empty.bin"};
  for (const char* fixture : {"lzma.7z", "copy.7z", "solid.7z", "blocks.7z", "filtered.7z"}) {
    DArchivePtr archive = open7z(fixture);
    // Forwards, backwards, twice over and skipping: each entry is decoded
    // from its folder alone, or the reader steps on or starts again.
    for (const std::vector<size_t>& order :
         {std::vector<size_t>{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 0}, {2, 0, 3, 1}, {0, 2}}) {
      for (size_t i : order) {
        if (names[i] == "empty.bin" && std::string(fixture) == "copy.7z") continue;
        EXPECT_EQ(entryBytes(*archive, names[i]), heldFileBytes(names[i])) << fixture << " " << names[i];
      }
    }
  }
  DArchivePtr both = open7z("copy.7z");
  EXPECT_EQ(entryBytes(*both, "Aa"), bytesOfText("content of Aa\n"));
  EXPECT_EQ(entryBytes(*both, "BB"), bytesOfText("content of BB\n"));
  // Of two equal names the first counts.
  EXPECT_EQ(entryBytes(*open7z("duplicate.7z"), "Aa"), bytesOfText("content of Aa\n"));
}

TEST(D7zArchiveTest, EntryStreamAnswersTheNameAsGivenAndHoldsItsArchive) {
  DArchivePtr archive = open7z("lzma.7z");
  DInputStreamPtr in = archive->openEntryStream(u"\\img\\logo.png");
  auto* entry = dynamic_cast<DArchiveEntryStream*>(in.get());
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->getName()->equals(u"\\img\\logo.png"));
  EXPECT_EQ(entry->getArchive(), archive);
  EXPECT_EQ(entry->getClassName(), "DObject");
  int32_t before = archive->refCount();
  archive.release();
  EXPECT_EQ(entry->getArchive()->refCount(), before);
  EXPECT_EQ(entry->getArchive()->lookupEntry(u"text.txt"), 11890);
  EXPECT_EQ(entry->available(), 3000);
}

TEST(D7zArchiveTest, DamagedEntryThrowsIOAndOtherEntriesStillRead) {
  DArchivePtr archive = open7z("corrupt.7z");
  EXPECT_EQ(archive->lookupEntry(u"text.txt"), 11890);
  EXPECT_EQ(thrownCode([&] { archive->openEntryStream(u"text.txt"); }), ExceptionCode::IO);
  EXPECT_EQ(thrownCode([&] { archive->openEntryStream(u"text.txt"); }), ExceptionCode::IO);
}

TEST(D7zArchiveTest, StreamsThatAreNo7zArchiveAreRefused) {
  const std::vector<uint8_t> whole = archiveBytes("lzma.7z");
  const std::vector<std::vector<uint8_t>> files = {
      {},
      {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C},
      archiveBytes("infozip.zip"),
      std::vector<uint8_t>(whole.begin(), whole.begin() + 100),
      std::vector<uint8_t>(whole.begin(), whole.end() - 1),
  };
  for (size_t i = 0; i < files.size(); ++i) {
    DArchivePtr archive = new D7zArchive();
    EXPECT_THROWS_CODE(ExceptionCode::IO, archive->open(memoryStream(files[i]), u"")) << i;
  }
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, DArchivePtr(new D7zArchive())->open(DInputStreamPtr(), u""));
}

TEST(D7zArchiveTest, LargeEntryGrowsItsBufferToTheExactSize) {
  std::vector<uint8_t> expected(1500000);
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<uint8_t>(i % 251);
  DArchivePtr archive = open7z("big.7z");
  EXPECT_EQ(archive->lookupEntry(u"big.bin"), 1500000);
  EXPECT_EQ(entryBytes(*archive, "big.bin"), expected);
}

// The suite never calls setlocale: it runs in the "C" locale, as the program does.
TEST(D7zArchiveTest, NamesOutsideAsciiAreFoundInAnyLocale) {
  DArchivePtr archive = open7z("names.7z");
  for (const char* name : {"données/été.txt", "日本語.txt", "😀.txt", "\\données\\été.txt"}) {
    std::string stored = name[0] == '\\' ? "données/été.txt" : name;
    EXPECT_EQ(entryBytes(*archive, name), bytesOfText(stored + "\n")) << name;
  }
  EXPECT_EQ(archive->lookupEntry(u"donnees/ete.txt"), -1);
}

TEST(D7zArchiveTest, HeaderDeclaringMoreFilesThanItHoldsIsRefusedBeforeLibarchiveReadsIt) {
  // 115 bytes that declare 84 million files: libarchive alone would ask for gigabytes.
  DArchivePtr archive = new D7zArchive();
  try {
    archive->open(memoryStream(archiveBytes("many-files.7z")), u"");
    ADD_FAILURE() << "opened";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), ExceptionCode::IO);
    EXPECT_NE(e.message().find(u"declares more items"), std::u16string_view::npos);
  }
}

TEST(D7zArchiveTest, DamagedHeadersAreRefusedBeforeLibarchiveReadsThem) {
  // The same 84 million files under a wrong header or start-header CRC, or cut short, as a fuzzer found them.
  for (const char* name : {"many-files-damaged.7z", "many-files-damaged-start.7z", "many-files-cut.7z"}) {
    SCOPED_TRACE(name);
    DArchivePtr archive = new D7zArchive();
    try {
      archive->open(memoryStream(archiveBytes(name)), u"");
      ADD_FAILURE() << "opened";
    } catch (const DExceptionBase& e) {
      EXPECT_EQ(e.code(), ExceptionCode::IO);
      EXPECT_NE(e.message().find(u"damaged header"), std::u16string_view::npos);
    }
  }
}

// Opening lists the names from the layout alone; it must list what
// libarchive lists, for archives of every shape 7zz makes.
TEST(D7zArchiveTest, TheLayoutNamesFilesAsLibarchiveDoes) {
  for (const char* fixture :
       {"lzma.7z", "copy.7z", "solid.7z", "blocks.7z", "filtered.7z", "big.7z", "names.7z", "duplicate.7z"}) {
    SCOPED_TRACE(fixture);
    DInputStreamPtr source = memoryStream(archiveBytes(fixture));
    SevenZipLayout layout = SevenZipLayout::read(*source);
    ASSERT_TRUE(layout.named());
    SevenZipReader reader(*source);
    size_t index = 0;
    for (; reader.next(); ++index) {
      ASSERT_LT(index, layout.files().size());
      const SevenZipLayout::File& file = layout.files()[index];
      EXPECT_EQ(file.directory, reader.header().directory) << index;
      if (file.directory) continue;
      EXPECT_EQ(file.name, reader.header().name) << index;
      EXPECT_EQ(file.size, reader.header().size) << index;
    }
    EXPECT_EQ(index, layout.files().size());
  }
}
