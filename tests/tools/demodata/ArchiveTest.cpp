#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "tools/demodata/lib/NameHash.h"
#include "tools/demodata/lib/ZipWriter.h"

namespace nv::demodata::test {
namespace {

const DemoData& demo() { return DemoData::get(); }

TEST(DemoArchive, UnzipFindsNoErrors) {
  std::string out;
  EXPECT_EQ(run("unzip -t " + shellQuoted(demo().folder / "game.dat"), &out), 0) << out;
}

TEST(DemoArchive, PythonZipfileReadsEveryEntryWithTheReaderLimits) {
  std::string out;
  ASSERT_EQ(run("python3 " + shellQuoted(std::string(NV_TEST_DATA_DIR) + "/check_zip.py") + " " +
                    shellQuoted(demo().folder / "game.dat"),
                &out),
            0)
      << out;
  std::istringstream lines(out);
  std::set<std::string> names;
  std::string name;
  int method = 0, flags = 0, extra = 0;
  std::size_t size = 0;
  while (lines >> name >> method >> flags >> size >> extra) {
    EXPECT_TRUE(method == 0 || method == 8) << name;
    EXPECT_EQ(flags & 0x9, 0) << name << ": no encryption, no data descriptor";
    EXPECT_EQ(extra, 0) << name;
    EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
    ASSERT_NE(demo().set.find(name), nullptr) << name;
    EXPECT_EQ(demo().entry(name).size(), size) << name;
  }
  EXPECT_EQ(names.size(), demo().set.entries().size());
}

TEST(DemoArchive, UnzippedBytesEqualTheBuiltEntries) {
  for (const auto& e : demo().set.entries()) EXPECT_EQ(readFile(demo().unpacked / e.name), e.data) << e.name;
}

TEST(DemoArchive, HoldsEverythingTheGameNeedsToStart) {
  for (const char* name : {"240x320.dat",
                           "lang.dat",
                           "lng_en.dat",
                           "res_en.dat",
                           "m",
                           "img/gui.bin",
                           "img/gui.png",
                           "240x320/res.dat",
                           "240x320/abc_en.png",
                           "240x320/pic1.png",
                           "240x320/pic2.png",
                           "240x320/pic3.png",
                           "240x320/pic4.png",
                           "240x320/pic5.png",
                           "240x320/pic6.png",
                           "240x320/arrow_up.png",
                           "240x320/arrow_down.png",
                           "240x320/arrow_left.png",
                           "240x320/arrow_right.png",
                           "240x320/game_0.png",
                           "240x320/game_0"})
    EXPECT_NE(demo().set.find(name), nullptr) << name;
}

TEST(DemoArchive, ResolutionFilesAndSoundsAtTheRootNothingOfTheScreenThere) {
  std::set<std::string> root;
  for (const auto& e : demo().set.entries())
    if (e.name.find('/') == std::string::npos) root.insert(e.name);
  for (const auto& e : demo().set.entries()) {
    for (const ScreenSet& screen : DataSet::screens()) {
      const std::string prefix = screen.folder();
      if (e.name.rfind(prefix, 0) == 0) {
        EXPECT_EQ(root.count(e.name.substr(prefix.size())), 0u) << e.name;
      }
    }
    if (e.name.rfind("snd/", 0) == 0) {
      EXPECT_EQ(e.name.find('/', 4), std::string::npos) << e.name;
    }
  }
  EXPECT_EQ(demo().entry("240x320.dat"),
            Bytes({'P', 'A', 'T', 'H', '=', '2', '4', '0', 'x', '3', '2', '0', '/', '\n'}));
}

TEST(DemoArchive, NoNameHashClashWithStoredOrProbedNames) {
  std::vector<std::string> stored;
  for (const auto& e : demo().set.entries()) stored.push_back(e.name);
  const auto clash = findNameHashClash(stored, demo().set.probedNames());
  EXPECT_FALSE(clash.has_value()) << *clash;
}

TEST(DemoArchive, TextTablesAreReadUtfRecords) {
  const Bytes& lang = demo().entry("lang.dat");
  Reader r(lang);
  EXPECT_EQ(r.utf(), u"LANG=English;Deutsch");
  EXPECT_EQ(r.utf(), u"ID=en;de");
  EXPECT_TRUE(r.atEnd());
  for (const char* name : {"res_en.dat", "res_de.dat"}) {
    Reader t(demo().entry(name));
    EXPECT_EQ(t.utf().rfind(u"REGMSG_SUPPORT_EMAIL=", 0), 0u) << name;
    EXPECT_TRUE(t.atEnd()) << name;
  }
  EXPECT_EQ(DataSet::engineIni(), "resolution=240x320\n");
  EXPECT_EQ(readFile(demo().folder / "engine.ini"),
            Bytes({'r', 'e', 's', 'o', 'l', 'u', 't', 'i', 'o', 'n', '=', '2', '4', '0', 'x', '3', '2', '0', '\n'}));
}

TEST(NameHash, FollowsTheReadersRule) {
  EXPECT_EQ(archiveNameHash("m"), 109u);
  EXPECT_EQ(archiveNameHash("/ab"), 97u * 31 + 98);
  EXPECT_EQ(archiveNameHash("\\\\a\\b"), archiveNameHash("a/b"));
  EXPECT_EQ(archiveNameHash("\xE9"), static_cast<std::uint32_t>(-23));  // bytes count signed
}

TEST(NameHash, ReportsStoredAndProbedClashes) {
  EXPECT_EQ(archiveNameHash("Aa"), archiveNameHash("BB"));
  EXPECT_TRUE(findNameHashClash({"Aa", "BB"}, {}).has_value());
  EXPECT_TRUE(findNameHashClash({"Aa"}, {"BB"}).has_value());
  EXPECT_FALSE(findNameHashClash({"Aa"}, {"Aa", "Ab"}).has_value());
}

TEST(ZipWriter, RefusesNamesTheReaderCannotFind) {
  for (const char* bad : {"", "/lead", "./dot", "dir/", "blank name", "back\\slash", "caf\xC3\xA9"}) {
    ZipWriter zip;
    EXPECT_THROW(zip.add(bad, {1, 2}), std::runtime_error) << bad;
  }
  ZipWriter zip;
  zip.add("a", {1});
  EXPECT_THROW(zip.add("a", {2}), std::runtime_error);
}

TEST(ZipWriter, DeflatesOnlyWhatTheReadersLoopInflates) {
  const Bytes text(5000, 'x');
  const Bytes deflated = deflateRaw(text);
  EXPECT_TRUE(inflatesLikeTheGame(deflated, text.size()));
  EXPECT_FALSE(inflatesLikeTheGame(deflated, text.size() - 1));
  ZipWriter zip;
  zip.add("small", {7});
  zip.add("text", text);
  EXPECT_EQ(zip.entries()[0].method, 0);
  EXPECT_EQ(zip.entries()[1].method, 8);
  EXPECT_EQ(zip.entries()[1].crc, crc32Of(text));
}

}  // namespace
}  // namespace nv::demodata::test
