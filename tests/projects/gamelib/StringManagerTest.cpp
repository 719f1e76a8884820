#include <gtest/gtest.h>

#include "GameFolder.h"
#include "gamelib/GameLib.h"
#include "gamelib/StringManager.h"
#include "lang/DObjectArray.h"

using gamelib::StringManager;
using qel::lang::DString;
using qel::lang::DStringPtr;

namespace {

class StringManagerTest : public ::testing::Test {
protected:
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  StringManager& loaded(const char16_t* name, int encoding) {
    folder.openArchive();
    texts = new StringManager();
    texts->load(name, encoding, true);
    return *texts;
  }
  std::string value(const char16_t* key) { return text(texts->getString(key)); }

  GameFolder folder;
  qel::lang::DPtr<StringManager> texts;
};

TEST_F(StringManagerTest, PairsKeepBlanksSplitAtFirstEqualsAndLaterPairsWin) {
  folder.addEntry("t.dat", recordLines({"a = b", "k=v=w", "// c=x", " // d=y", "no pair", "", "k2=1", "k2=2"}));
  loaded(u"t.dat", StringManager::RecordLines);
  EXPECT_EQ(value(u"a "), " b");
  EXPECT_EQ(value(u"k"), "v=w");
  EXPECT_EQ(value(u"// c"), "// c");  // the comment added nothing
  EXPECT_EQ(value(u" // d"), "y");
  EXPECT_EQ(value(u"k2"), "2");
  EXPECT_EQ(value(u"absent"), "absent");
}

TEST_F(StringManagerTest, ByteLinesEndAtLfCrAndCrLfAndLoneCrKeepsTheNextByte) {
  folder.addEntry("t.txt", std::string("a=1\rb=2\r\nc=3\nd=4"));
  loaded(u"t.txt", StringManager::ByteLines);
  EXPECT_EQ(value(u"a"), "1");
  EXPECT_EQ(value(u"b"), "2");
  EXPECT_EQ(value(u"c"), "3");
  EXPECT_EQ(value(u"d"), "4");
}

TEST_F(StringManagerTest, ByteLinesWidenAsLatin1) {
  folder.addEntry("t.txt", std::string("k=caf\xE9\xFF\n"));
  loaded(u"t.txt", StringManager::ByteLines);
  EXPECT_EQ(texts->getString(u"k")->view(), std::u16string_view(u"caf\u00E9\u00FF"));
}

TEST_F(StringManagerTest, IncludesResolveAgainstTheFolderOfTheFirstFileInTheirEncodings) {
  folder.addEntry("d/main.dat", recordLines({"#include_txt  Second.TXT ", "m=1"}));
  folder.addEntry("d/second.txt", "#INCLUDE third.txt\ns=2\n");
  folder.addEntry("d/third.txt", "t=3\n");
  loaded(u"d/main.dat", StringManager::RecordLines);
  EXPECT_EQ(value(u"m"), "1");
  EXPECT_EQ(value(u"s"), "2");
  EXPECT_EQ(value(u"t"), "3");
}

TEST_F(StringManagerTest, ValueIncludeTakesTheWholeTextAndMissingFilesGiveEmptyValues) {
  folder.addEntry("main.txt", "body=#INCLUDE_TXT body.txt\nnone=#include nothing.txt\nbare=#INCLUDE\n");
  folder.addEntry("body.txt", "line one\nline two");
  loaded(u"main.txt", StringManager::ByteLines);
  EXPECT_EQ(value(u"body"), "line one\nline two\n");
  EXPECT_EQ(value(u"none"), "");
  EXPECT_EQ(value(u"bare"), "");
}

TEST_F(StringManagerTest, IncludeCyclesStopAndABareDirectiveIsAMissingFile) {
  folder.addEntry("a.txt", "#INCLUDE b.txt\n#INCLUDE\n#include_javautf\na=1\n");
  folder.addEntry("b.txt", "#INCLUDE a.txt\n#INCLUDE b.txt\nb=2\n");
  loaded(u"a.txt", StringManager::ByteLines);
  EXPECT_EQ(value(u"a"), "1");
  EXPECT_EQ(value(u"b"), "2");
}

TEST_F(StringManagerTest, IncludesOfOneLoadStopAfterABoundedNumberOfFiles) {
  // By depth alone this would read 3^8 files.
  folder.addEntry("a.txt", "#INCLUDE a.txt\n#INCLUDE a.txt\nv=#INCLUDE_TXT a.txt\na=1\n");
  loaded(u"a.txt", StringManager::ByteLines);
  EXPECT_EQ(value(u"a"), "1");
  EXPECT_EQ(value(u"v"), "") << "the last value include is past the budget";
}

TEST_F(StringManagerTest, MissingFileWithResetEmptiesTheTable) {
  folder.addEntry("t.txt", "k=v\n");
  loaded(u"t.txt", StringManager::ByteLines);
  texts->load(u"missing.txt", StringManager::ByteLines, true);
  EXPECT_EQ(value(u"k"), "k");
}

TEST_F(StringManagerTest, MalformedRecordPassesToTheCaller) {
  DataBytes bad;
  bad.utf("k=v").s16(2).byte(0xC0).byte(0x41);
  folder.addEntry("bad.dat", bad);
  folder.openArchive();
  StringManager table;
  EXPECT_THROW(table.load(u"bad.dat", StringManager::RecordLines, true), qel::lang::DExceptionBase);
}

TEST_F(StringManagerTest, UpperCaseFlagUpperCasesValues) {
  folder.addEntry("t.dat", recordLines({"k=Value"}));
  folder.openArchive();
  qel::lang::DPtr<StringManager> upper = new StringManager(true);
  upper->load(u"t.dat", StringManager::RecordLines, true);
  EXPECT_EQ(text(upper->getString(u"k")), "VALUE");
}

TEST(SplitStringTest, KeepsEmptyPieces) {
  struct Case {
    const char16_t* input;
    std::vector<std::string> pieces;
  };
  for (const Case& c : {Case{u"a;b", {"a", "b"}},
                        Case{u"a;;b", {"a", "", "b"}},
                        Case{u"", {""}},
                        Case{u"a;", {"a", ""}},
                        Case{u"abc", {"abc"}}}) {
    qel::lang::DObjectArrayPtr pieces = StringManager::splitString(c.input, u';');
    ASSERT_EQ(pieces->length(), static_cast<int32_t>(c.pieces.size()));
    for (int32_t i = 0; i < pieces->length(); ++i)
      EXPECT_EQ(text(qel::lang::dynamicPtrCast<DString>(pieces->at(i))), c.pieces[i]);
  }
}

}  // namespace
