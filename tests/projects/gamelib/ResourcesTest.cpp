#include <gtest/gtest.h>

#include "GameFolder.h"
#include "TestPng.h"
#include "gamelib/GameLib.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DObjectArray.h"
#include "microedition/lcdui/DImage.h"

using gamelib::GameLib;
using qel::lang::DObjectArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;

namespace {

std::string readAll(qel::io::DInputStreamPtr in) {
  std::string out;
  while (in->available() > 0) out.push_back(static_cast<char>(in->read()));
  return out;
}

std::string firstLine(const char16_t* name) {
  qel::io::DInputStreamPtr in = GameLib::getResourceAsStream(name);
  return in ? readAll(in) : "<null>";
}

class ResourcesTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("a.txt", "root a");
    folder.addEntry("p1/a.txt", "p1 a");
    folder.addEntry("p1/b.txt", "p1 b");
    folder.addEntry("p2/b.txt", "p2 b");
    folder.addEntry("p2/c.txt", "p2 c");
    folder.writeProgramFile("d.txt", "file d");
    folder.writeProgramFile("p2/e.txt", "file p2 e");
    folder.writeProgramFile("a.txt", "file a");
    folder.openArchive();
    GameLib::setSearchPath(GameLib::pathPrefixes(u"p1;p2/"));
  }
  void TearDown() override { GameLib::setSearchPath(nullptr); }

  GameFolder folder;
};

TEST_F(ResourcesTest, LookupOrderIsArchiveRootThenPrefixesThenProgramFolder) {
  struct Case {
    const char16_t* name;
    const char* content;
  };
  for (const Case& c : {Case{u"a.txt", "root a"},
                        Case{u"/a.txt", "root a"},
                        Case{u"b.txt", "p1 b"},
                        Case{u"c.txt", "p2 c"},
                        Case{u"d.txt", "file d"},
                        Case{u"/e.txt", "file p2 e"},
                        Case{u"none.txt", "<null>"}})
    EXPECT_EQ(firstLine(c.name), c.content) << text(DStringPtr(c.name));
}

TEST_F(ResourcesTest, NoArchiveOpenGivesNullWithoutTryingFiles) {
  qel::io::DArchive::close();
  EXPECT_EQ(firstLine(u"d.txt"), "<null>");
  EXPECT_EQ(GameLib::loadImage(u"x"), nullptr);
  EXPECT_EQ(GameLib::getResourceSize(u"d.txt"), 6);  // falls back to the file
  EXPECT_EQ(GameLib::getResourceSize(u"none"), -1);
  EXPECT_FALSE(GameLib::hasResolutionFile(240, 320));
}

TEST_F(ResourcesTest, SizeAsksTheArchiveRootOnly) {
  EXPECT_EQ(GameLib::getResourceSize(u"a.txt"), 6);
  EXPECT_EQ(GameLib::getResourceSize(u"c.txt"), -1);
  EXPECT_EQ(GameLib::getResourceSize(u"d.txt"), -1);
}

TEST(PathPrefixesTest, EveryPrefixEndsInSlash) {
  struct Case {
    const char16_t* value;
    std::vector<std::string> prefixes;
  };
  for (const Case& c : {Case{u"PATH", {"PATH/"}},
                        Case{u"", {"/"}},
                        Case{u"a;b/", {"a/", "b/"}},
                        Case{u"240x320/;common", {"240x320/", "common/"}}}) {
    DObjectArrayPtr prefixes = GameLib::pathPrefixes(c.value);
    ASSERT_EQ(prefixes->length(), static_cast<int32_t>(c.prefixes.size()));
    for (int32_t i = 0; i < prefixes->length(); ++i)
      EXPECT_EQ(text(qel::lang::dynamicPtrCast<DString>(prefixes->at(i))), c.prefixes[i]);
  }
  EXPECT_EQ(text(GameLib::resolutionFileName(240, 320)), "/240x320.dat");
}

class ImageLookupTest : public ::testing::Test {
protected:
  void TearDown() override { GameLib::setSearchPath(nullptr); }
  int widthOf(const char16_t* name) {
    qel::lcdui::DImagePtr image = GameLib::loadImage(name);
    return image ? image->getWidth() : -1;
  }
  GameFolder folder;
};

TEST_F(ImageLookupTest, PngBeatsJpgPerCandidateAndRootBeatsPrefixes) {
  folder.addEntry("both.png", solidPng(2, 2, 0xFF0000));
  folder.addEntry("both.jpg", GameFolder::contentOf(NV_TEST_DATA_DIR "/blue3x3.jpg"));
  folder.addEntry("mixed.jpg", GameFolder::contentOf(NV_TEST_DATA_DIR "/blue3x3.jpg"));
  folder.addEntry("p/mixed.png", solidPng(2, 2, 0xFF0000));
  folder.addEntry("p/only.png", solidPng(5, 1, 0xFF0000));
  folder.addEntry("broken.png", "not a picture");
  folder.writeProgramFile("loose.png", solidPng(2, 2, 0));
  folder.openArchive();
  GameLib::setSearchPath(GameLib::pathPrefixes(u"p"));
  EXPECT_EQ(widthOf(u"both"), 2);
  EXPECT_EQ(widthOf(u"/mixed"), 3);
  EXPECT_EQ(widthOf(u"only"), 5);
  EXPECT_EQ(widthOf(u"broken"), -1);
  EXPECT_EQ(widthOf(u"loose"), -1);
  EXPECT_NE(GameLib::loadImage(u"both"), GameLib::loadImage(u"both"));
}

TEST_F(ImageLookupTest, ResolutionFileIsLookedUpInTheArchive) {
  folder.addEntry("240x320.dat", "PATH=a/\n");
  folder.writeProgramFile("320x240.dat", "PATH=a/\n");
  folder.openArchive();
  EXPECT_TRUE(GameLib::hasResolutionFile(240, 320));
  EXPECT_FALSE(GameLib::hasResolutionFile(320, 240));
}

}  // namespace
