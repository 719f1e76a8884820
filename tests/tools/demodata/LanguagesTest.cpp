#include <fstream>
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace nv::demodata::test {
namespace {

// A copy of the data sources with a further language, built like the real set.
class TwoLanguages : public ::testing::Test {
protected:
  nvtest::TempFolder folder{"nv-demodata"};
  std::filesystem::path root = folder / "data";

  void SetUp() override {
    std::filesystem::copy(
        std::filesystem::path(NV_SOURCE_DIR) / "data", root, std::filesystem::copy_options::recursive);
    std::ofstream(root / "lang/languages.txt", std::ios::app) << "xx Pseudo\n";
    std::filesystem::copy(root / "lang/en.txt", root / "lang/xx.txt");
    std::filesystem::copy(root / "lang/res_en.txt", root / "lang/res_xx.txt");
    std::filesystem::copy(root / "lang/flag_en.txt", root / "lang/flag_xx.txt");
  }
};

TEST_F(TwoLanguages, ListsEachAndAddsFlagsAndFonts) {
  const DataSet set = DataSet::build(root);
  const ArchiveEntry* lang = set.find("lang.dat");
  ASSERT_NE(lang, nullptr);
  Reader r(lang->data);
  EXPECT_EQ(r.utf(), u"LANG=English;Deutsch;Pseudo");
  EXPECT_EQ(r.utf(), u"ID=en;de;xx");
  for (const char* name : {"lng_xx.dat",
                           "res_xx.dat",
                           "240x320/abc_xx.png",
                           "240x320/lang_en.png",
                           "240x320/lang_xx.png",
                           "240x320/game_0.png",
                           "240x320/game_0"})
    EXPECT_NE(set.find(name), nullptr) << name;
}

TEST_F(TwoLanguages, RefusesALanguageWithoutItsFlag) {
  std::filesystem::remove(root / "lang/flag_xx.txt");
  EXPECT_THROW(DataSet::build(root), std::runtime_error);
}

TEST_F(TwoLanguages, RefusesAnAlphabetWithALetterAfterTheFullStop) {
  std::ofstream(root / "lang/alphabet_xx.txt") << "space\nABCDEFGHIJKLMNOPQRSTUVWXYZ\nabcdefghijklmnopqrstuvwxyz\n"
                                                  ".0123456789,:;!?'\"-_{}$%()/+=*&<>@[]#\u00e4\n";
  try {
    DataSet::build(root);
    ADD_FAILURE() << "built";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("a letter after"), std::string::npos) << e.what();
  }
}

TEST_F(TwoLanguages, RefusesAnIdTheResourceNamesCannotCarry) {
  std::ofstream(root / "lang/languages.txt", std::ios::app) << "x/y Broken\n";
  EXPECT_THROW(DataSet::build(root), std::runtime_error);
}

}  // namespace
}  // namespace nv::demodata::test
