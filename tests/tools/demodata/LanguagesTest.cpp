#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace nv::demodata::test {
namespace {

// A copy of the data sources with a second language, built like the real set.
class TwoLanguages : public ::testing::Test {
protected:
    std::filesystem::path root = uniqueTemporaryFile().replace_extension("");

    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(NV_SOURCE_DIR) / "data", root, std::filesystem::copy_options::recursive);
        std::ofstream(root / "lang/languages.txt", std::ios::app) << "xx Pseudo\n";
        std::filesystem::copy(root / "lang/en.txt", root / "lang/xx.txt");
        std::filesystem::copy(root / "lang/res_en.txt", root / "lang/res_xx.txt");
    }
    void TearDown() override { std::filesystem::remove_all(root); }
};

TEST_F(TwoLanguages, ListsBothAndAddsFlagsAndFonts) {
    const DataSet set = DataSet::build(root);
    const ArchiveEntry* lang = set.find("lang.dat");
    ASSERT_NE(lang, nullptr);
    Reader r(lang->data);
    EXPECT_EQ(r.utf(), u"LANG=English;Pseudo");
    EXPECT_EQ(r.utf(), u"ID=en;xx");
    for (const char* name : {"lng_xx.dat", "res_xx.dat", "240x320/abc_xx.png", "240x320/lang_en.png",
                             "240x320/lang_xx.png", "240x320/game_0.png", "240x320/game_0"})
        EXPECT_NE(set.find(name), nullptr) << name;
}

TEST_F(TwoLanguages, RefusesAnIdTheResourceNamesCannotCarry) {
    std::ofstream(root / "lang/languages.txt", std::ios::app) << "x/y Broken\n";
    EXPECT_THROW(DataSet::build(root), std::runtime_error);
}

}  // namespace
}  // namespace nv::demodata::test
