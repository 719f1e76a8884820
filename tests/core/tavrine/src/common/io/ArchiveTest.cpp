#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ArchiveFixtures.h"
#include "io/D7zArchive.h"
#include "io/DZipArchive.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "tests/core/tavrine/src/win/io/ProgramFolders.h"

using namespace qel::io;
using namespace qel::lang;

namespace {

// Hands out at most a few bytes per block read, as a file may.
class TrickleInputStream final : public DInputStream {
public:
  explicit TrickleInputStream(const std::vector<uint8_t>& bytes) : in_(memoryStream(bytes)) {}

  using DInputStream::read;
  int32_t available() override { return in_->available(); }
  int32_t readRaw(uint8_t* buf, int32_t len) override { return in_->readRaw(buf, std::min(len, Step)); }
  int32_t read(const DbyteArrayPtr& b, int32_t off, int32_t len) override {
    return in_->read(b, off, std::min(len, Step));
  }
  int32_t read() override { return in_->read(); }
  void reset() override { in_->reset(); }
  int64_t skip(int64_t n) override { return in_->skip(n); }
  int64_t getPosition() override { return in_->getPosition(); }
  DStringPtr getName() override { return new DString(); }

private:
  static constexpr int32_t Step = 7;
  DInputStreamPtr in_;
};

struct CurrentArchiveReset {
  ~CurrentArchiveReset() { DArchive::close(); }
};

// Whatever the damage, every entry either throws a framework exception or
// reads back exactly.
void expectNothingWrongIsHandedOut(const std::vector<uint8_t>& bytes, const std::vector<std::string>& names,
                                   const std::string& what) {
  DArchivePtr archive;
  try {
    archive = openArchive(bytes);
  } catch (DExceptionBase& e) {
    EXPECT_TRUE(e.is(ExceptionCode::Exception)) << what;
    return;
  }
  for (const std::string& name : names) {
    try {
      EXPECT_EQ(entryBytes(*archive, name), heldFileBytes(name)) << what << " " << name;
    } catch (DExceptionBase& e) {
      EXPECT_TRUE(e.is(ExceptionCode::Exception)) << what;
    }
  }
}

}  // namespace

TEST(DArchiveTest, CurrentArchiveOperationsNeedOneOpenArchive) {
  CurrentArchiveReset reset;
  EXPECT_EQ(DArchive::getCurrent(), nullptr);
  EXPECT_THROWS_CODE(ExceptionCode::IO, DArchive::lookupCurrentEntry(u"text.txt"));
  EXPECT_THROWS_CODE(ExceptionCode::IO, DArchive::openCurrentEntryStream(u"text.txt"));
  DArchivePtr archive = openArchive("lzma.7z");
  DArchive::setCurrent(archive);
  EXPECT_EQ(DArchive::getCurrent(), archive);
  EXPECT_EQ(DArchive::lookupCurrentEntry(u"text.txt"), 11890);
  EXPECT_THROWS_CODE(ExceptionCode::IO, DArchive::open(u"game.dat", u""));
  EXPECT_EQ(DArchive::getCurrent(), archive);
  DInputStreamPtr in = DArchive::openCurrentEntryStream(u"/text.txt");
  DArchive::close();
  EXPECT_EQ(DArchive::getCurrent(), nullptr);
  EXPECT_THROWS_CODE(ExceptionCode::IO, DArchive::lookupCurrentEntry(u"text.txt"));
  // Streams handed out earlier stay whole.
  EXPECT_EQ(std::vector<uint8_t>(in->getData(), in->getData() + in->getDataLength()), heldFileBytes("text.txt"));
}

TEST(DArchiveTest, SevenZipComesFirstAndZipWhenTheFileIsNot7z) {
  EXPECT_NE(dynamic_cast<D7zArchive*>(openArchive("solid.7z").get()), nullptr);
  DArchivePtr zip = openArchive("infozip.zip");
  EXPECT_NE(dynamic_cast<DZipArchive*>(zip.get()), nullptr);
  EXPECT_TRUE(zip->containsEntry(u"img/logo.png"));
  EXPECT_EQ(zip->getName(), nullptr);
  // A failed 7z attempt leaves the stream anywhere; the zip reader still sees it whole.
  for (const char* fixture : {"lzma.7z", "copy.7z", "infozip.zip", "python-descriptors.zip"}) {
    DArchivePtr archive = DArchive::createFromStream(new TrickleInputStream(archiveBytes(fixture)), u"");
    EXPECT_EQ(archive->lookupEntry(u"img/logo.png"), 3000) << fixture;
    EXPECT_EQ(entryBytes(*archive, "img/logo.png"), heldFileBytes("img/logo.png")) << fixture;
  }
  EXPECT_THROWS_CODE(ExceptionCode::IO, openArchive(std::vector<uint8_t>(64, 'x')));
  EXPECT_THROWS_CODE(ExceptionCode::NullPointer, DArchive::createFromStream(nullptr, u""));
}

struct DamageCase {
  const char* fixture;
  std::vector<std::string> names;
};

class DamagedArchiveTest : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedArchiveTest, EveryFlippedByteAndEveryCutRaisesOrReadsBackExactly) {
  const DamageCase& c = GetParam();
  const std::vector<uint8_t> whole = archiveBytes(c.fixture);
  for (size_t at = 0; at < whole.size(); ++at) {
    std::vector<uint8_t> flipped = whole;
    flipped[at] ^= 0xA5;
    expectNothingWrongIsHandedOut(flipped, c.names, std::string(c.fixture) + " flipped at " + std::to_string(at));
    expectNothingWrongIsHandedOut(std::vector<uint8_t>(whole.begin(), whole.begin() + at),
                                  c.names,
                                  std::string(c.fixture) + " cut at " + std::to_string(at));
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DamagedArchiveTest,
                         testing::Values(DamageCase{"lzma.7z", {"img/logo.png", "text.txt", "Aa", "empty.bin"}},
                                         DamageCase{"solid.7z", {"img/logo.png", "text.txt", "BB"}},
                                         DamageCase{"streamed.zip", {}},
                                         DamageCase{"python-descriptors.zip", {"img/logo.png", "text.txt"}},
                                         DamageCase{"infozip.zip", {"img/logo.png", "text.txt", "Aa", "empty.bin"}}),
                         [](const testing::TestParamInfo<DamageCase>& info) {
                           std::string name = info.param.fixture;
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

TEST(DArchiveTest, ArchiveFilesOpenBesideTheProgram) {
  ProgramFolders folders;
  CurrentArchiveReset reset;
  for (const char* fixture : {"solid.7z", "python-descriptors.zip"}) {
    std::filesystem::copy_file(std::string(NV_TEST_DATA_DIR) + "/archives/" + fixture,
                               folders.program() / "game.dat",
                               std::filesystem::copy_options::overwrite_existing);
    DArchive::open(u"game.dat", u"");
    DArchivePtr archive = DArchive::getCurrent();
    EXPECT_TRUE(archive->getName()->equals(u"game.dat"));
    for (const char* name : {"text.txt", "img/logo.png"})
      EXPECT_EQ(entryBytes(*archive, name), heldFileBytes(name)) << fixture << " " << name;
    DArchive::close();
  }
  EXPECT_THROWS_CODE(ExceptionCode::IO, DArchive::open(u"missing.dat", u""));
  folders.writeProgramFile("garbage.dat", std::string(100, 'x'));
  try {
    DArchive::open(u"garbage.dat", u"");
    ADD_FAILURE() << "garbage opened";
  } catch (DExceptionBase& e) {
    EXPECT_EQ(e.code(), ExceptionCode::IO);
    EXPECT_EQ(e.message().substr(0, 13), u"garbage.dat: ");
  }
  EXPECT_EQ(DArchive::getCurrent(), nullptr);
}
