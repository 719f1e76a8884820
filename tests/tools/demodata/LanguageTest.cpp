#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "tools/demodata/lib/Alphabet.h"
#include "tools/demodata/lib/LanguageFile.h"
#include "tools/demodata/lib/PixelFont.h"
#include "tools/demodata/lib/Sheets.h"
#include "tools/demodata/lib/ShopLineFit.h"
#include "tools/demodata/lib/TitleFit.h"

namespace nv::demodata::test {
namespace {

struct Language {
  int mode = -1;
  std::u16string alphabet;
  std::vector<std::vector<int>> entries;
  std::u16string text(int id) const {
    std::u16string out;
    for (int g : entries.at(id - 1)) out += alphabet.at(g);
    return out;
  }
};

Language parseLanguage(const Bytes& bytes) {
  Reader r(bytes);
  Language lang;
  lang.mode = r.u8();
  lang.alphabet = r.utf();
  while (!r.atEnd()) {
    const int length = r.s16();
    EXPECT_GE(length, 0);
    std::vector<int> glyphs;
    for (int i = 0; i < length; ++i) glyphs.push_back(r.u8());
    lang.entries.push_back(glyphs);
  }
  return lang;
}

const Language& english() {
  static const Language lang = parseLanguage(DemoData::get().entry("lng_en.dat"));
  return lang;
}

bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

TEST(LanguageFile, AlphabetOrderServesNamesWordBreaksAndNumbers) {
  const Language& lang = english();
  EXPECT_EQ(lang.mode, 0);
  ASSERT_LE(lang.alphabet.size(), 256u);
  EXPECT_EQ(lang.alphabet[0], u' ');
  for (std::size_t i = 1; i < 53; ++i) EXPECT_TRUE(isLetter(lang.alphabet[i])) << i;
  const auto dot = lang.alphabet.find(u'.');
  ASSERT_NE(dot, std::u16string::npos);
  for (std::size_t i = dot; i < lang.alphabet.size(); ++i) EXPECT_FALSE(isLetter(lang.alphabet[i])) << i;
  for (char16_t c : std::u16string(u"0123456789{}:$-_;)"))
    EXPECT_NE(lang.alphabet.find(c), std::u16string::npos) << char(c);
}

TEST(LanguageFile, EntriesOneTo302WithGlyphsInRange) {
  const Language& lang = english();
  ASSERT_GE(lang.entries.size(), 302u);
  for (std::size_t id = 1; id <= lang.entries.size(); ++id)
    for (int g : lang.entries[id - 1]) EXPECT_LT(g, static_cast<int>(lang.alphabet.size())) << "text " << id;
}

TEST(LanguageFile, NamesAreFiveLettersAndSettingsAreNumbers) {
  const Language& lang = english();
  for (int id : {207, 251, 252, 253, 254, 255}) {
    ASSERT_EQ(lang.entries[id - 1].size(), 5u) << id;
    for (int g : lang.entries[id - 1]) EXPECT_LT(g, 53) << id;
  }
  for (int id = 267; id <= 274; ++id) {
    const std::u16string digits = english().text(id);
    ASSERT_FALSE(digits.empty()) << id;
    for (char16_t c : digits) EXPECT_TRUE(c >= u'0' && c <= u'9') << id;
  }
  EXPECT_EQ(lang.text(267), u"0") << "wrapping at spaces stays on";
}

TEST(LanguageFile, TextsTheGameShowsAreWrittenAndCarryTheirParameters) {
  const Language& lang = english();
  for (int id : {1,   8,   41,  42,  43,  44,  45,  126, 127, 130, 135, 144, 146, 150, 152, 162,
                 164, 165, 200, 201, 203, 208, 209, 210, 211, 236, 240, 262, 283, 284, 303})
    EXPECT_FALSE(lang.entries[id - 1].empty()) << "text " << id;
  for (int id = 9; id <= 34; ++id)
    for (const char16_t* p : {u"{0}", u"{1}", u"{2}"})
      EXPECT_NE(lang.text(id).find(p), std::u16string::npos) << "briefing " << id;
  EXPECT_NE(lang.text(144).find(u"{0}"), std::u16string::npos);
  EXPECT_NE(lang.text(144).find(u"{1}"), std::u16string::npos);
  EXPECT_TRUE(lang.entries[275 - 1].empty()) << "no third best-results item";
}

TEST(LanguageFile, GermanHasItsOwnLettersBeforeTheFullStopAndEveryText) {
  const Language lang = parseLanguage(DemoData::get().entry("lng_de.dat"));
  const std::u16string umlauts = u"\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df";
  const auto dot = lang.alphabet.find(u'.');
  ASSERT_NE(dot, std::u16string::npos);
  for (char16_t c : umlauts) {
    const auto at = lang.alphabet.find(c);
    EXPECT_TRUE(at >= 53 && at < dot) << int(c);
  }
  EXPECT_EQ(lang.alphabet.substr(0, 53), english().alphabet.substr(0, 53));
  ASSERT_EQ(lang.entries.size(), english().entries.size());
  for (std::size_t id = 1; id <= lang.entries.size(); ++id)
    EXPECT_EQ(lang.entries[id - 1].empty(), english().entries[id - 1].empty()) << "text " << id;
  for (int id : {207, 251, 252, 253, 254, 255}) {
    ASSERT_EQ(lang.entries[id - 1].size(), 5u) << id;
    for (int g : lang.entries[id - 1]) EXPECT_LT(g, 53) << id;
  }
  for (int id = 9; id <= 34; ++id)
    for (const char16_t* p : {u"{0}", u"{1}", u"{2}"})
      EXPECT_NE(lang.text(id).find(p), std::u16string::npos) << "briefing " << id;
  EXPECT_EQ(lang.text(283), u"Mit Ton spielen?");
  EXPECT_EQ(lang.text(9).substr(0, 8), u"\u00dcbung 1_");
  EXPECT_NE(lang.text(264).find(u'\u00e4'), std::u16string::npos) << "umlauts count as vowels";
}

class LanguageSource : public ::testing::Test {
protected:
  Alphabet alphabet = Alphabet::load(std::filesystem::path(NV_SOURCE_DIR) / "data/lang/alphabet.txt");
  nvtest::TempFolder folder{"nv-demodata"};
  std::filesystem::path file = folder / "source.txt";

  // Writes every text ("x"), names and numbers valid, then applies `change` to text `id`.
  void writeSource(int skip, int id, const std::string& text) {
    std::ofstream out(file);
    for (int k = 1; k <= LanguageFile::kHighestTextId; ++k) {
      if (k == skip) continue;
      std::string t = (k == 207 || (k >= 251 && k <= 255)) ? "Abcde" : (k >= 267 && k <= 274) ? "0" : "x";
      if (k == id) t = text;
      out << k << " " << t << "\n";
    }
  }
};

TEST_F(LanguageSource, AcceptsACompleteSource) {
  writeSource(0, 0, "");
  EXPECT_EQ(LanguageFile::load(file, alphabet).entries().size(), static_cast<size_t>(LanguageFile::kHighestTextId));
}

TEST_F(LanguageSource, RefusesBrokenSources) {
  struct Case {
    int skip, id;
    std::string text;
  };
  for (const Case& c : {Case{17, 0, ""},
                        Case{0, 5, "caf\xC3\xA9"},
                        Case{0, 251, "Abcd"},
                        Case{0, 207, "Ab.de"},
                        Case{0, 268, "x"},
                        Case{LanguageFile::kHighestTextId, 0, ""}}) {
    writeSource(c.skip, c.id, c.text);
    EXPECT_THROW(LanguageFile::load(file, alphabet), std::runtime_error) << c.skip << " " << c.id;
  }
}

// The shop's item line stands in its window's title bar, between the ornaments painted into the GUI sheet.
TEST_F(LanguageSource, ShopLinesMustStandBetweenTheTitleOrnaments) {
  const std::filesystem::path data = std::filesystem::path(NV_SOURCE_DIR) / "data";
  const ScreenLayout layout = ScreenLayout::load(data / "layout");
  const Image gui = paintGuiSheet(layout, PixelFont::load(data / "fonts/glyphs-5x8.txt"));
  struct Case {
    int id;
    std::string text;
    bool fits;
  };
  for (const Case& c : {Case{263, "  {0} ${1} {2}kg", true},
                        Case{263, "{0} ${1} {2}kg", false},
                        Case{109, "Cutting torch and more", false},
                        Case{263, "  {0} ${1} weight {2} in all", false}}) {
    writeSource(0, c.id, c.text);
    const LanguageFile texts = LanguageFile::load(file, alphabet);
    if (c.fits)
      EXPECT_NO_THROW(checkShopLinesFit(texts, alphabet, layout, gui)) << c.text;
    else
      EXPECT_THROW(checkShopLinesFit(texts, alphabet, layout, gui), std::runtime_error) << c.text;
  }
}

// On the narrowest screen a title's window is as wide as the screen allows: 22 glyphs stand
// between the title bar's ornaments there. Blanks at the ends carry no ink; the job title is
// measured with its number filled in.
TEST_F(LanguageSource, WindowTitlesMustStandBetweenTheTitleOrnaments) {
  const std::filesystem::path data = std::filesystem::path(NV_SOURCE_DIR) / "data";
  const auto& screens = DataSet::screens();
  const ScreenSet& narrowest = *std::min_element(
      screens.begin(), screens.end(), [](const ScreenSet& a, const ScreenSet& b) { return a.width < b.width; });
  const ScreenLayout base = ScreenLayout::load(data / "layout");
  const ScreenLayout layout = ScreenLayout::loadOver(base, data / "layout" / narrowest.layoutFolder);
  const Image gui = paintGuiSheet(layout, PixelFont::load(data / "fonts/glyphs-5x8.txt"));
  const std::string letters(22, 'W');
  struct Case {
    int id;
    std::string text;
    bool fits;
  };
  for (const Case& c : {Case{203, letters, true},
                        Case{203, letters + "W", false},
                        Case{203, " " + letters.substr(1) + "W ", true},
                        Case{45, letters + "W", false},
                        Case{115, letters + "W", false},
                        Case{134, letters.substr(2) + "{0}", true},
                        Case{134, letters.substr(1) + "{0}", false},
                        Case{129, letters + "W", true}}) {
    writeSource(0, c.id, c.text);
    const LanguageFile texts = LanguageFile::load(file, alphabet);
    if (c.fits)
      EXPECT_NO_THROW(checkTitlesFit(texts, alphabet, layout, gui, narrowest)) << c.id << " " << c.text;
    else
      EXPECT_THROW(checkTitlesFit(texts, alphabet, layout, gui, narrowest), std::runtime_error)
          << c.id << " " << c.text;
  }
}

TEST(Alphabet, RefusesOrdersTheGameCannotUse) {
  EXPECT_THROW(Alphabet(U"ABC"), std::runtime_error) << "glyph 0 must be the space";
  std::u32string letters = U" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  EXPECT_THROW(Alphabet(U" ABC.0123456789{}:$-_;)"), std::runtime_error) << "glyphs 1-52 are letters";
  EXPECT_NO_THROW(Alphabet(letters + U".0123456789{}:$-_;)"));
  EXPECT_THROW(Alphabet(letters + U".0123456789{}:$-_;)x"), std::runtime_error) << "letter after the dot";
  EXPECT_THROW(Alphabet(letters + U".0123456789{}:$-_;"), std::runtime_error) << "missing )";
}

}  // namespace
}  // namespace nv::demodata::test
