#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <stdlib.h>
#include <string>
#include <vector>

#include "io/DByteArrayInputStream.h"
#include "io/DFileInputStream.h"
#include "io/DResourceLocator.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"
#include "platform/testing/FolderOverrides.h"
#include "tests/support/TempFolder.h"
#include "util/DStringManager.h"

using namespace qel::lang;
using namespace qel::io;
using qel::util::DStringManager;
using qel::util::DStringManagerPtr;
namespace Code = qel::lang::ExceptionCode;

namespace {

DInputStreamPtr bytesStream(const std::string& bytes) {
  DbyteArrayPtr array = new DbyteArray(static_cast<int32_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(array->data()));
  return new DByteArrayInputStream(array);
}

// One readUTF record per line, as Java's DataOutputStream.writeUTF writes
// ASCII text.
std::string utfLines(std::initializer_list<std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes.push_back(static_cast<char>(line.size() >> 8));
    bytes.push_back(static_cast<char>(line.size() & 0xFF));
    bytes += line;
  }
  return bytes;
}

std::string text(const DStringPtr& s) { return s ? toMultiByte(s->view()) : "<null>"; }

// Resources held in memory, by name; records what was asked for.
class MemoryLocator final : public DResourceLocator {
public:
  std::map<std::string, std::string> files;
  std::vector<std::string> opened;

  DInputStreamPtr open(const DStringPtr& name) override {
    opened.push_back(text(name));
    auto found = files.find(text(name));
    return found == files.end() ? nullptr : bytesStream(found->second);
  }
};

DStringManagerPtr loaded(const std::string& bytes, DPtr<MemoryLocator> locator = nullptr,
                         const char16_t* fileName = u"engine.ini") {
  DStringManagerPtr table = new DStringManager(0);
  if (locator) table->setResourceLocator(locator);
  table->load(fileName, bytesStream(bytes), DStringManager::ModeBytes, true);
  return table;
}

struct Entry {
  const char16_t* key;
  std::string value;
};

void expectEntries(const DStringManagerPtr& table, const std::vector<Entry>& entries, const std::string& context) {
  for (const Entry& entry : entries) EXPECT_EQ(text(table->getString(entry.key)), entry.value) << context;
}

TEST(DStringManagerTest, LineRules) {
  struct Case {
    std::string bytes;
    std::vector<Entry> entries;
  };
  const Case cases[] = {
      {"a=b=c", {{u"a", "b=c"}}},
      {"=x", {{u"", "x"}}},
      {"k=", {{u"k", ""}}},
      {"driver = gdi", {{u"driver ", " gdi"}, {u"driver", "<null>"}}},
      {" // note\n//k=v\n // k=w", {{u"k", "<null>"}, {u" // k", "w"}}},
      {"a=1\nb=2\n", {{u"a", "1"}, {u"b", "2"}}},
      {"a=1\r\nb=2\r\n", {{u"a", "1"}, {u"b", "2"}}},
      {"a=1\rb=2\r", {{u"a", "1"}, {u"b", "2"}, {u"", "<null>"}}},
      {"a=1\r\rb=2\n\nc=3", {{u"a", "1"}, {u"b", "2"}, {u"c", "3"}}},
      {"last=no break", {{u"last", "no break"}}},
      {"k=1\nk=2\nk=3", {{u"k", "3"}}},
      {"plain line\n\n\t\nk=v", {{u"k", "v"}, {u"plain line", "<null>"}}},
      {"name=caf\xE9", {{u"name", "caf\xC3\xA9"}}},
      {std::string("z=a\0b", 5), {{u"z", std::string("a\0b", 3)}}},
  };
  for (const Case& c : cases) expectEntries(loaded(c.bytes), c.entries, c.bytes);
}

TEST(DStringManagerTest, ByteEightWidensAsLatin1) {
  DStringPtr value = loaded("v=\xE9")->getString(u"v");
  ASSERT_EQ(value->length(), 1);
  EXPECT_EQ(value->charAt(0), u'\u00E9');
}

// engine.ini as editors write it.
TEST(DStringManagerTest, RealWorldFiles) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<Entry> entries;
  };
  const Case cases[] = {
      {"Windows editor, CR LF",
       "// Nightvault\r\ndriver=gdi\r\nresolution=240x320\r\nnofullscreen=1\r\n",
       {{u"driver", "gdi"}, {u"resolution", "240x320"}, {u"nofullscreen", "1"}}},
      {"UTF-8 signature",
       "\xEF\xBB\xBF"
       "driver=tdlx\r\nresolution=480x640\r\n",
       {{u"\u00EF\u00BB\u00BF"
         u"driver",
         "tdlx"},
        {u"driver", "<null>"},
        {u"resolution", "480x640"}}},
      {"classic Mac, CR only",
       "driver=extesc\rresolution=(320 x 240)\r",
       {{u"driver", "extesc"}, {u"resolution", "(320 x 240)"}}},
      {"no final break, blank and bare lines",
       "[engine]\n\ndriver=gdi\nfullscreen\n  \nresolution=240X320",
       {{u"driver", "gdi"}, {u"resolution", "240X320"}, {u"[engine]", "<null>"}}},
  };
  for (const Case& c : cases) {
    DStringManagerPtr table = loaded(c.bytes);
    expectEntries(table, c.entries, c.what);
  }
  EXPECT_EQ(loaded(cases[0].bytes)->getIntPair(u"resolution"), std::make_pair(240, 320));
}

TEST(DStringManagerTest, ReadsAFileStreamToItsEnd) {
  const nvtest::TempFolder folder("nv-ini");
  std::ofstream(folder / "engine.ini", std::ios::binary) << "driver=gdi\r\nresolution=240x320";
  wce::setProgramFolder(folder.path());
  wce::setUserFolder(folder / "user");
  DStringManagerPtr table = new DStringManager(0);
  table->load(u"engine.ini", new DFileInputStream(u"engine.ini"), DStringManager::ModeBytes, true);
  EXPECT_EQ(text(table->getString(u"driver")), "gdi");
  EXPECT_EQ(text(table->getString(u"resolution")), "240x320");
  wce::setProgramFolder({});
  wce::setUserFolder({});
}

TEST(DStringManagerTest, UtfMode) {
  DStringManagerPtr table = new DStringManager(0);
  table->load(u"t", bytesStream(utfLines({"a=1", "//c=2", "b=x=y"})), DStringManager::ModeUTF, true);
  expectEntries(table, {{u"a", "1"}, {u"//c", "<null>"}, {u"b", "x=y"}}, "utf");
  std::string truncated = utfLines({"a=1"}) + std::string(
                                                  "\x00\x09"
                                                  "b=2",
                                                  5);
  table->load(u"t", bytesStream(truncated), DStringManager::ModeUTF, true);
  expectEntries(table, {{u"a", "1"}, {u"b", "<null>"}}, "truncated");
  try {
    table->load(
        u"t", bytesStream(utfLines({"a=1"}) + std::string("\x00\x02\xC0\x41", 4)), DStringManager::ModeUTF, true);
    ADD_FAILURE() << "malformed text was accepted";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), Code::UTFDataFormat);
  }
}

TEST(DStringManagerTest, ClearingAndNullStreams) {
  DStringManagerPtr table = loaded("a=1");
  table->load(u"more.ini", bytesStream("b=2"), DStringManager::ModeBytes, false);
  expectEntries(table, {{u"a", "1"}, {u"b", "2"}}, "merged");
  table->load(u"other.ini", nullptr, DStringManager::ModeBytes, true);
  expectEntries(table, {{u"a", "<null>"}, {u"b", "<null>"}}, "cleared");
  table->put(u"/width", u"320");
  EXPECT_EQ(table->getInt(u"/width"), 320);
  try {
    table->put(nullptr, u"x");
    ADD_FAILURE();
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), Code::Runtime);
  }
}

TEST(DStringManagerTest, IncludeLines) {
  DPtr<MemoryLocator> locator = new MemoryLocator();
  locator->files = {
      {"conf/other.ini", "b=2\nc=included\n#include deeper.ini"},
      {"conf/deeper.ini", "d=4"},
      {"conf/ile", "e=5"},
      {"conf/utf.ini", utfLines({"f=6"})},
      {"conf/text.txt", "g=7"},
  };
  DStringManagerPtr table = loaded(
      "a=1\nc=before\n#Include  Other.INI \nc2=after\n#INCLUDE_TXTfile\n#include_javautf utf.ini\n"
      "#INCLUDE_TXT text.txt\n#include missing.ini\n#INCLUDE\n#INCLUDE_TXT\nz=26",
      locator,
      u"conf/engine.ini");
  expectEntries(table,
                {{u"a", "1"},
                 {u"b", "2"},
                 {u"c", "included"},
                 {u"c2", "after"},
                 {u"d", "4"},
                 {u"e", "5"},
                 {u"f", "6"},
                 {u"g", "7"},
                 {u"z", "26"}},
                "includes");
  EXPECT_EQ(locator->opened,
            (std::vector<std::string>{
                "conf/other.ini", "conf/deeper.ini", "conf/ile", "conf/utf.ini", "conf/text.txt", "conf/missing.ini"}));
}

TEST(DStringManagerTest, IncludeValues) {
  DPtr<MemoryLocator> locator = new MemoryLocator();
  locator->files = {{"text.txt", "line one\r\nline two"}, {"utf.txt", utfLines({"u1", "u2"})}};
  DStringManagerPtr table =
      loaded("t=#include text.txt\nu=#INCLUDE_JAVAUTF utf.txt\nm=#include_txt none.txt\n", locator);
  expectEntries(table, {{u"t", "line one\nline two\n"}, {u"u", "u1\nu2\n"}, {u"m", ""}}, "values");
}

TEST(DStringManagerTest, IncludeValueWithoutALocatorEndsTheLoad) {
  DStringManagerPtr table = new DStringManager(0);
  try {
    table->load(u"engine.ini",
                bytesStream("a=1\n#INCLUDE x.ini\nb=2\n#INCLUDE\nc=3\nk=#INCLUDE x.txt\nd=4"),
                DStringManager::ModeBytes,
                true);
    ADD_FAILURE() << "the include value was read";
  } catch (const DExceptionBase& e) {
    EXPECT_EQ(e.code(), Code::NullPointer);
  }
  expectEntries(table, {{u"a", "1"}, {u"b", "2"}, {u"c", "3"}, {u"k", "<null>"}, {u"d", "<null>"}}, "host");
}

TEST(DStringManagerTest, SelfIncludesEnd) {
  DPtr<MemoryLocator> locator = new MemoryLocator();
  locator->files = {{"a.ini", "x=1\n#include b.ini\nx=2"}, {"b.ini", "y=1\n#include a.ini\ny=2"}};
  DStringManagerPtr table = loaded("#include a.ini\nz=1", locator, u"a.ini");
  expectEntries(table, {{u"x", "2"}, {u"y", "2"}, {u"z", "1"}}, "cycle");
  EXPECT_EQ(locator->opened.size(), static_cast<size_t>(DStringManager::MaxIncludeDepth));
}

// Two includes of itself per file would read 2^16 files by depth alone.
TEST(DStringManagerTest, IncludesOfOneLoadReadABoundedNumberOfFiles) {
  DPtr<MemoryLocator> locator = new MemoryLocator();
  locator->files = {{"a.ini", "#include a.ini\nv=#include_txt a.ini\n#include a.ini\nx=1"}};
  DStringManagerPtr table = loaded("#include a.ini\nz=1", locator, u"a.ini");
  expectEntries(table, {{u"x", "1"}, {u"z", "1"}}, "bounded");
  EXPECT_EQ(locator->opened.size(), static_cast<size_t>(DStringManager::MaxIncludedFiles));
  locator->opened.clear();
  table->load(u"a.ini", bytesStream("#include a.ini"), DStringManager::ModeBytes, false);
  EXPECT_EQ(locator->opened.size(), static_cast<size_t>(DStringManager::MaxIncludedFiles))
      << "a new load, a new budget";
}

TEST(DStringManagerTest, Getters) {
  DStringManagerPtr table = loaded(
      "hex=0x10\ndec=12\nword=true\nspaced= 12\nempty=\nneg=-5\n"
      "p1=240x320\np2=(240 x 320)\np3=240X320\np4=240;320\np5=240x320x16\np6=240\np7=240x\np8=axb\np9=;\n");
  struct IntCase {
    const char16_t* key;
    int32_t value;
  };
  for (const IntCase& c :
       {IntCase{u"hex", 16}, {u"dec", 12}, {u"word", 0}, {u"spaced", 0}, {u"empty", 0}, {u"neg", -5}, {u"absent", 0}})
    EXPECT_EQ(table->getInt(c.key), c.value) << text(c.key);
  struct PairCase {
    const char16_t* key;
    std::pair<int32_t, int32_t> value;
  };
  for (const PairCase& c : {PairCase{u"p1", {240, 320}},
                            {u"p2", {240, 320}},
                            {u"p3", {240, 320}},
                            {u"p4", {240, 320}},
                            {u"p5", {240, 320}},
                            {u"p6", {-1, -1}},
                            {u"p7", {240, -1}},
                            {u"p8", {-1, -1}},
                            {u"p9", {-1, -1}},
                            {u"absent", {-1, -1}}})
    EXPECT_EQ(table->getIntPair(c.key), c.value) << text(c.key);
  EXPECT_TRUE(table->getString(u"absent").isNull());
  EXPECT_TRUE(table->getString(nullptr).isNull());
  EXPECT_EQ(table->getInt(nullptr), 0);
}

TEST(DStringManagerTest, SplitKeepsEmptyParts) {
  DObjectArrayPtr parts = DStringManager::split(u";a;;b");
  ASSERT_EQ(parts->length(), 4);
  const char* expected[] = {"", "a", "", "b"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(text(DStringPtr(static_cast<DString*>(parts->at(i).get()))), expected[i]);
}

}  // namespace
