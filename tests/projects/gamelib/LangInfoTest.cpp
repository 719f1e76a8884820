#include <gtest/gtest.h>

#include "GameFolder.h"
#include "TestPng.h"
#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "util/DCallBack.h"

using gamelib::LangInfo;
using gamelib::LangInfoPtr;

namespace {

class LangInfoTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("lang.dat",
                    recordLines({"LANG=English;Deutsch;Fran\xC3\xA7"
                                 "ais",
                                 "ID=en;de;fr"}));
    folder.addEntry("lang_en.png", solidPng(4, 3, 0xFF0000));
    folder.addEntry("lang_de.png", solidPng(4, 3, 0x00FF00));
    notified.clear();
  }
  void TearDown() override { LangInfo::releaseInstance(); }

  std::string storedId() const { return GameFolder::contentOf(folder.user() / "langid"); }

  static void record(intptr_t argument) { notified.push_back(static_cast<int>(argument)); }
  static inline std::vector<int> notified;

  GameFolder folder;
};

TEST_F(LangInfoTest, ReadsNamesIdsAndFlags) {
  folder.openArchive();
  LangInfoPtr languages = LangInfo::getInstance();
  ASSERT_EQ(languages->getLanguageCount(), 3);
  EXPECT_EQ(text(languages->getName(0)), "English");
  EXPECT_EQ(languages->getName(2)->charAt(4), u'\u00E7');
  EXPECT_EQ(text(LangInfo::languageId(1)), "de");
  EXPECT_NE(languages->getFlag(0), nullptr);
  EXPECT_EQ(languages->getFlag(2), nullptr);
  EXPECT_EQ(LangInfo::currentLanguage(), 0);
  EXPECT_THROW(LangInfo::languageId(3), qel::lang::DExceptionBase);
}

TEST_F(LangInfoTest, AChoiceIsWrittenBeforeListenersHearAndASecondInstanceReadsIt) {
  folder.openArchive();
  LangInfoPtr languages = LangInfo::getInstance();
  static std::string seenByListener;
  static GameFolder* watched;
  watched = &folder;
  auto listener = [](intptr_t argument) {
    seenByListener = GameFolder::contentOf(watched->user() / "langid");
    notified.push_back(static_cast<int>(argument));
  };
  qel::util::DCallBackPtr callback = new qel::util::DCallBack(listener, 5);
  languages->addListener(callback);
  languages->addListener(callback);
  languages->setLanguage(2);
  EXPECT_EQ(storedId(), std::string("\0\0\0\2", 4));
  EXPECT_EQ(seenByListener, std::string("\0\0\0\2", 4));
  EXPECT_EQ(notified, std::vector<int>{5});

  LangInfo::releaseInstance();
  EXPECT_EQ(LangInfo::currentLanguage(), 2);
}

TEST_F(LangInfoTest, ChoosingTheCurrentLanguageWritesOnceAndTellsNobody) {
  folder.openArchive();
  LangInfoPtr languages = LangInfo::getInstance();
  languages->addListener(new qel::util::DCallBack(&record, 1));
  languages->setLanguage(0);
  EXPECT_EQ(storedId(), std::string("\0\0\0\0", 4));
  std::filesystem::remove(folder.user() / "langid");
  languages->setLanguage(0);
  languages->setLanguage(-1);
  EXPECT_FALSE(std::filesystem::exists(folder.user() / "langid"));
  EXPECT_TRUE(notified.empty());
}

TEST_F(LangInfoTest, AStoredIndexOutsideTheListOrAShortFileGivesTheFirstLanguage) {
  folder.openArchive();
  for (const std::string& stored :
       {std::string("\0\0\0\7", 4), std::string("\xFF\xFF\xFF\xFF", 4), std::string("\0\0", 2)}) {
    folder.writeProgramFile("langid", stored);
    LangInfo::releaseInstance();
    EXPECT_EQ(LangInfo::currentLanguage(), 0);
  }
  folder.writeProgramFile("langid", std::string("\0\0\0\1", 4));
  LangInfo::releaseInstance();
  EXPECT_EQ(LangInfo::currentLanguage(), 1);
}

TEST(LangInfoFallbackTest, NoCatalogueGivesOneLanguageNamedByTheKeys) {
  GameFolder folder;
  folder.openArchive();
  LangInfoPtr languages = LangInfo::getInstance();
  ASSERT_EQ(languages->getLanguageCount(), 1);
  EXPECT_EQ(text(languages->getName(0)), "LANG");
  EXPECT_EQ(text(languages->getId(0)), "ID");
  LangInfo::releaseInstance();
}

}  // namespace
