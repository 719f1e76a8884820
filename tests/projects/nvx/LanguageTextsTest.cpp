#include <filesystem>
#include <gtest/gtest.h>

#include "LanguageFileWriter.h"
#include "gamelib/LangInfo.h"
#include "lang/DExceptionBase.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/TextState.h"
#include "tests/support/Writable.h"
#include "tools/demodata/lib/LanguageFile.h"

using nvx::GameState;
using nvx::GameTables;
using nvx::LanguageTexts;
using nvx::MainCanvas;
using nvx::TextState;
using qel::lang::DshortArrayPtr;

namespace {

const std::string letters = " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz.,!?_-{}0123456789$:;)";

std::vector<int> glyphsOf(const DshortArrayPtr& text) {
  std::vector<int> out;
  for (int32_t i = 0; i < text->length(); ++i) out.push_back(text->at(i));
  return out;
}

std::string spelled(const DshortArrayPtr& text) {
  std::string out;
  for (int g : glyphsOf(text)) out.push_back(g >= 0 && g < static_cast<int>(letters.size()) ? letters[g] : '#');
  return out;
}

class LanguageTextsTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    folder.addEntry("lang.dat", recordLines({"LANG=English;Deutsch", "ID=en;de"}));
  }
  void TearDown() override {
    gamelib::LangInfo::releaseInstance();
    MainCanvas::releaseStatics();
    GameState::languageIndex = 0;
    nvtest::writable(TextState::noSpaceWrap) = 0;
    nvtest::writable(GameState::bestResultsExtra) = 0;
  }

  void load(const LanguageFileWriter& en, int languageIndex = 0) {
    folder.addEntry(languageIndex == 0 ? "lng_en.dat" : "lng_de.dat", en.bytes());
    folder.openArchive();
    GameState::languageIndex = languageIndex;
    LanguageTexts::loadLanguage();
  }

  GameFolder folder;
};

TEST_F(LanguageTextsTest, EightBitGlyphsAreUnsignedAndSixteenBitSigned) {
  load(LanguageFileWriter(0, letters).glyphs(2, {0xC8, 1}).text(3, ""));
  EXPECT_EQ(glyphsOf(LanguageTexts::getText(2)), (std::vector<int>{200, 1}));
  EXPECT_EQ(LanguageTexts::getText(3)->length(), 0);
  EXPECT_EQ(TextState::wideTexts, 0);

  load(LanguageFileWriter(1, letters).glyphs(2, {0xC8, -2, 300}));
  EXPECT_EQ(glyphsOf(LanguageTexts::getText(2)), (std::vector<int>{200, -2, 300}));
  EXPECT_EQ(TextState::wideTexts, 1);
}

TEST_F(LanguageTextsTest, EntryOneIsReadFromTheFileOnEveryCall) {
  load(LanguageFileWriter(0, letters).text(1, "Old").text(2, "Kept"));
  EXPECT_EQ(spelled(LanguageTexts::getText(1)), "Old");
  EXPECT_EQ(LanguageTexts::getText(2).get(), LanguageTexts::getText(2).get());

  folder.addEntry("lng_en.dat", LanguageFileWriter(0, letters).text(1, "New").text(2, "Other").bytes());
  folder.openArchive();
  EXPECT_EQ(spelled(LanguageTexts::getText(1)), "New");
  EXPECT_EQ(spelled(LanguageTexts::getText(2)), "Kept");
}

TEST_F(LanguageTextsTest, SettingsEntries) {
  nvtest::writable(TextState::settingFlag268) = 0;
  load(LanguageFileWriter(0, letters)
           .text(264, "aeiou")
           .text(267, "1")
           .text(268, "x1")
           .text(269, "42")
           .glyphs(270, {200})
           .text(273, "-7")
           .text(275, "Yes"));
  EXPECT_EQ(TextState::noSpaceWrap, 1);
  EXPECT_EQ(TextState::settingFlag268, 0);
  EXPECT_EQ(TextState::layoutValue269, 42);
  EXPECT_EQ(TextState::layoutValue270, 0) << "a glyph outside the alphabet is no number";
  EXPECT_EQ(TextState::layoutValue273, -7);
  EXPECT_EQ(GameState::bestResultsExtra, 1);
  EXPECT_EQ(spelled(TextState::specialGlyphs), "aeiou");
  // Settings are not cached: they come back from the file as written.
  EXPECT_EQ(spelled(LanguageTexts::getText(269)), "42");

  load(LanguageFileWriter(0, letters).text(267, "0").text(275, ""));
  EXPECT_EQ(TextState::noSpaceWrap, 0);
  EXPECT_EQ(GameState::bestResultsExtra, 0);
}

TEST_F(LanguageTextsTest, AnotherLanguageReplacesTheTextsItHas) {
  load(LanguageFileWriter(0, letters).text(2, "Two").text(3, "Three"));
  load(LanguageFileWriter(0, letters).text(2, "Zwei"), 1);
  EXPECT_EQ(spelled(LanguageTexts::getText(2)), "Zwei");
  EXPECT_EQ(spelled(LanguageTexts::getText(3)), "Three");
}

TEST_F(LanguageTextsTest, AMissingTextIsAnEmptyRow) {
  load(LanguageFileWriter(0, letters).text(2, "Two"));
  for (int id : {-1, 3, 300, 40000}) {
    DshortArrayPtr text = LanguageTexts::getText(id);
    ASSERT_FALSE(text.isNull()) << id;
    EXPECT_EQ(text->length(), 0) << id;
  }
  folder.addEntry("lng_en.dat", "");
  folder.openArchive();
  EXPECT_EQ(LanguageTexts::getText(1)->length(), 0);
}

TEST_F(LanguageTextsTest, DamagedFilesAreReadUpToTheDamage) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<int> kept;  // ids whose text "Ok" was read
  };
  std::string good = LanguageFileWriter(0, letters).text(2, "Ok").text(3, "Ok").bytes();
  std::string negative =
      LanguageFileWriter(0, letters).text(2, "Ok").bytes() + DataBytes().s16(-5).byte(1).byte(2).operator std::string();
  std::string pastEnd =
      LanguageFileWriter(0, letters).text(2, "Ok").bytes() + DataBytes().s16(30000).byte(1).operator std::string();
  const Case cases[] = {
      {"whole", good, {2, 3}},
      {"short last entry", good.substr(0, good.size() - 1), {2}},
      {"negative length", negative, {2}},
      {"length past the end", pastEnd, {2}},
      {"no alphabet", std::string(1, '\0'), {}},
      {"alphabet cut short", good.substr(0, 5), {}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainCanvas::initStatics();
    load(LanguageFileWriter(0, letters));
    folder.addEntry("lng_en.dat", c.bytes);
    folder.openArchive();
    GameTables::textCache->clear();
    LanguageTexts::loadLanguage();
    for (int id : {2, 3}) {
      bool kept = std::find(c.kept.begin(), c.kept.end(), id) != c.kept.end();
      EXPECT_EQ(GameTables::textCache->get(id) != nullptr, kept) << id;
    }
    EXPECT_EQ(LanguageTexts::getText(4)->length(), 0);
  }
}

TEST_F(LanguageTextsTest, GlyphsAndStrings) {
  load(LanguageFileWriter(0, letters).text(2, "Hi"));
  EXPECT_EQ(text(LanguageTexts::getTextString(2)), "Hi");
  DshortArrayPtr glyphs = LanguageTexts::stringToGlyphs(new qel::lang::DString(u"a_\u00e9"));
  EXPECT_EQ(glyphsOf(glyphs), (std::vector<int>{27, TextState::lineBreakGlyph, -1}));
  EXPECT_EQ(TextState::hyphenGlyph, static_cast<int>(letters.find('-')));
  try {
    LanguageTexts::glyphsToString(glyphs);
    FAIL() << "a glyph outside the alphabet";
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), qel::lang::ExceptionCode::StringIndexOutOfBounds);
  }
  qel::lang::DbyteArrayPtr bytes = new qel::lang::DbyteArray(2, 0, 8, 9);
  EXPECT_EQ(text(LanguageTexts::byteGlyphsToString(bytes)), "HI");
}

}  // namespace

namespace {

TEST_F(LanguageTextsTest, TheDemoDataLanguageFileReadsBackAsWritten) {
  const std::filesystem::path lang = std::filesystem::path(NV_SOURCE_DIR) / "data" / "lang";
  const nv::demodata::Alphabet alphabet = nv::demodata::Alphabet::load(lang / "alphabet.txt");
  const nv::demodata::LanguageFile file = nv::demodata::LanguageFile::load(lang / "en.txt", alphabet);
  const nv::demodata::Bytes bytes = file.encode();
  folder.addEntry("lng_en.dat", std::string(bytes.begin(), bytes.end()));
  folder.openArchive();
  LanguageTexts::loadLanguage();

  const auto& entries = file.entries();
  ASSERT_EQ(TextState::alphabet->length(), static_cast<int32_t>(alphabet.size()));
  for (int id = 1; id <= static_cast<int>(entries.size()); ++id)
    EXPECT_EQ(glyphsOf(LanguageTexts::getText(id)), entries[id - 1]) << id;
  EXPECT_EQ(TextState::noSpaceWrap, entries[266] == alphabet.glyphsOf("1"));
  EXPECT_EQ(GameState::bestResultsExtra, !entries[274].empty());
  EXPECT_EQ(glyphsOf(TextState::specialGlyphs), entries[263]);
}

}  // namespace
