#include "HostFixture.h"
#include "lang/DSystem.h"
#include "microedition/host/CommandLine.h"
#include "platform/system/ActiveDevice.h"

namespace qel::host::testing {
namespace {

using qel::lang::DStringPtr;

std::u16string stored(const qel::util::DStringManager& table, const char16_t* key) {
  DStringPtr value = table.getString(DStringPtr(key));
  return value ? std::u16string(value->view()) : u"<none>";
}

TEST(CommandLineTest, OptionsTakeTheNextWord) {
  struct Case {
    const char16_t* line;
    const char16_t* resolution;
    const char16_t* noFullScreen;
    const char16_t* resoultion;
  };
  const Case cases[] = {
      {u"/width 240 /height 320", u"240x320", u"<none>", u"<none>"},
      {u"/height 320  /width 240", u"240x320", u"<none>", u"<none>"},
      {u"/width 240", u"<none>", u"<none>", u"<none>"},
      {u"/width 0 /height 320", u"<none>", u"<none>", u"<none>"},
      {u"/width 240 /height", u"<none>", u"<none>", u"<none>"},
      {u"/width240 /height 320", u"<none>", u"<none>", u"<none>"},
      {u"/width 480abc /height +640", u"480x640", u"<none>", u"<none>"},
      {u"/nofullscreen", u"<none>", u"true", u"<none>"},
      {u"/nofullscreenplease /resoultion 1 2 3", u"<none>", u"true", u"1 2 3"},
      {u"/resoultion", u"<none>", u"<none>", u"<none>"},
      {u"other /width 10 words /height 20", u"10x20", u"<none>", u"<none>"},
      {u"", u"<none>", u"<none>", u"<none>"},
  };
  for (const Case& c : cases) {
    qel::util::DStringManager table(0);
    applyCommandLine(c.line, table);
    std::u16string line(c.line);
    EXPECT_EQ(stored(table, u"resolution"), c.resolution) << std::string(line.begin(), line.end());
    EXPECT_EQ(stored(table, u"nofullscreen"), c.noFullScreen) << std::string(line.begin(), line.end());
    EXPECT_EQ(stored(table, u"resoultion"), c.resoultion) << std::string(line.begin(), line.end());
  }
}

TEST(CommandLineTest, LeadingNumbers) {
  EXPECT_EQ(leadingNumber(u"240"), 240);
  EXPECT_EQ(leadingNumber(u"-3x"), -3);
  EXPECT_EQ(leadingNumber(u"x3"), 0);
  EXPECT_EQ(leadingNumber(u""), 0);
  EXPECT_EQ(leadingNumber(u"99999999999"), INT32_MAX);
}

TEST(DisplaySizeTest, ResolutionUnlessNoFullScreenOrInvalid) {
  wce::ScopedDeviceProfile vga(*wce::devicePreset("VGA"));
  struct Case {
    const char16_t* resolution;
    const char16_t* noFullScreen;
    DisplaySize size;
  };
  const Case cases[] = {
      {u"240x320", nullptr, {240, 320}},
      {u"240x320", u"true", {480, 640}},
      {u"240x320", u"1", {480, 640}},
      {u"240x320", u"0", {240, 320}},
      {u"240x320", u"yes", {240, 320}},
      {u"240xabc", nullptr, {480, 640}},
      {u"nonsense", nullptr, {480, 640}},
      {u"0x320", nullptr, {480, 640}},
      {nullptr, nullptr, {480, 640}},
  };
  for (const Case& c : cases) {
    qel::util::DStringManager table(0);
    if (c.resolution) table.put(DStringPtr(u"resolution"), DStringPtr(c.resolution));
    if (c.noFullScreen) table.put(DStringPtr(u"nofullscreen"), DStringPtr(c.noFullScreen));
    DisplaySize size = engineDisplaySize(&table);
    EXPECT_EQ(size.width, c.size.width) << (c.resolution ? "set" : "unset");
    EXPECT_EQ(size.height, c.size.height);
  }
  DisplaySize none = engineDisplaySize(nullptr);
  EXPECT_EQ(none.width, -1);
  EXPECT_EQ(none.height, -1);
}

class WinMainTest : public HostTest {};

TEST_F(WinMainTest, EngineIniAndCommandLineReachTheBackEnd) {
  writeFile(programFolder() / "engine.ini", "driver=GDI\nresolution=100x80\n");
  std::string backendName;
  int width = 0;
  testScript().onStep = [&](int) {
    qel::lcdui::DisplayBackend* backend = qel::lcdui::BackendTable::choose(u"gdi");
    backendName = backend->width() > 0 ? "gdi" : "other";
    width = backend->width();
  };
  std::u16string line = u"/width 120 /height 90 " + std::u16string(1100, u'x');
  EXPECT_EQ(WinMain(nullptr, nullptr, line.c_str(), wce::SW_SHOW), 0);
  EXPECT_EQ(backendName, "gdi");
  EXPECT_EQ(width, 120);
  DStringPtr commandLine = qel::lang::DSystem::getProperty(DStringPtr(u"app.commandline"));
  ASSERT_TRUE(commandLine);
  EXPECT_EQ(commandLine->length(), 1023);
}

}  // namespace
}  // namespace qel::host::testing
