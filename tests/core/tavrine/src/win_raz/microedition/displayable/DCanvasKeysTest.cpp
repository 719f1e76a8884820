#include "DisplayFixture.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "microedition/displayable/KeyRemap.h"
#include "microedition/midlet/PlatformLibraries.h"
#include "platform/system/ActiveDevice.h"
#include "platform/system/Aygshell.h"
#include "tests/platform/system/probe/AygshellProbe.h"
#include "util/DHashtable.h"

namespace qel::lcdui::testing {
namespace {

using CanvasPtr = qel::lang::DPtr<RecordingCanvas>;
using CanvasKeysTest = DisplayTest;

TEST_F(CanvasKeysTest, DefaultKeyMapAndGameActions) {
  CanvasPtr canvas = new RecordingCanvas();
  EXPECT_EQ(canvas->getKeyMapId(), 0);
  const std::pair<int32_t, int32_t> mapped[] = {
      {'1', 5},    {'2', 0},    {'3', 6},   {'4', 2},    {'5', 4},   {'6', 3},  {'7', 7}, {'8', 1}, {'9', 8},
      {10003, 12}, {10004, 11}, {10000, 9}, {10001, 10}, {10002, 4}, {37, 2},   {39, 3},  {38, 0},  {40, 1},
      {-4, 13},    {13, 4},     {10, 4},    {-2, 14},    {-3, 15},   {'0', -1}, {-5, -1}, {65, -1}};
  for (auto [code, action] : mapped) EXPECT_EQ(canvas->getMappedKey(code), action) << code;

  const std::pair<int32_t, int32_t> actions[] = {{38, DCanvas::UP},
                                                 {'2', DCanvas::UP},
                                                 {37, DCanvas::LEFT},
                                                 {'4', DCanvas::LEFT},
                                                 {39, DCanvas::RIGHT},
                                                 {'6', DCanvas::RIGHT},
                                                 {40, DCanvas::DOWN},
                                                 {'8', DCanvas::DOWN},
                                                 {'5', DCanvas::FIRE},
                                                 {10002, DCanvas::FIRE},
                                                 {'1', DCanvas::GAME_A},
                                                 {'3', DCanvas::GAME_B},
                                                 {'7', DCanvas::GAME_C},
                                                 {'9', DCanvas::GAME_D},
                                                 {13, -1},
                                                 {10000, -1}};
  for (auto [code, action] : actions) EXPECT_EQ(DCanvas::getGameAction(code), action) << code;
}

TEST_F(CanvasKeysTest, AnOverrideListReplacesTheDefaultKeysOfItsAction) {
  CanvasPtr canvas = new RecordingCanvas();
  qel::util::DHashtablePtr set = new qel::util::DHashtable(11, 75);
  qel::lang::DObjectArrayPtr overrides = new qel::lang::DObjectArray(5);
  overrides->at(4) = new qel::lang::DintArray(1, 0, 10002);
  set->put(qel::lang::DObjectPtr(new qel::lang::DInteger(3)), overrides);
  canvas->setKeyMapSet(set);
  canvas->setKeyMap(3);
  EXPECT_EQ(canvas->getKeyMapId(), 3);
  EXPECT_EQ(canvas->getMappedKey('5'), -1);
  EXPECT_EQ(canvas->getMappedKey(13), -1);
  EXPECT_EQ(canvas->getMappedKey(10), -1);
  EXPECT_EQ(canvas->getMappedKey(10002), 4);
  EXPECT_EQ(canvas->getMappedKey('2'), 0);
  EXPECT_EQ(canvas->getMappedKey(10001), 10);
  canvas->setKeyMap(0);
  EXPECT_EQ(canvas->getMappedKey('5'), 4);
}

TEST_F(CanvasKeysTest, NumericModeRemapsQwertyKeysOfTheDevice) {
  KeyRemap::setTable(DCanvas::InputNumeric, KeyRemap::tableForOemText(u"Palm Treo 700w"));
  CanvasPtr canvas = new RecordingCanvas();
  canvas->dispatchKeyPressed('W');
  canvas->setInputMode(DCanvas::InputNumeric);
  canvas->dispatchKeyPressed('W');
  canvas->dispatchKeyRepeated('g');
  canvas->dispatchKeyReleased('Q');
  KeyRemap::setTable(DCanvas::InputNumeric, nullptr);
  EXPECT_EQ(canvas->events, (std::vector<std::string>{"press 87", "press 49", "repeat 35", "release 81"}));
}

TEST(KeyRemapTest, DeviceTablesByOemText) {
  struct Case {
    const char16_t* oem;
    int32_t from;
    int32_t to;
  };
  const Case cases[] = {{u"MotoQ", 'C', '9'},
                        {u"HERM100", 'y', '1'},
                        {u"O2 Xda Zinc", 'T', '#'},
                        {u"SAMSUNG SCH-i760", 'p', '0'},
                        {u"Pocket LOOX", ',', '*'},
                        {u"HP IPAQ HW6515", '|', '#'},
                        {u"Acme S710 Pro", 'x', '#'}};
  for (const Case& c : cases) {
    const KeyRemapPair* table = KeyRemap::tableForOemText(c.oem);
    ASSERT_NE(table, nullptr);
    KeyRemap::setTable(1, table);
    EXPECT_EQ(KeyRemap::remap(1, c.from), c.to);
    EXPECT_EQ(KeyRemap::remap(0, c.from), c.from);
  }
  KeyRemap::setTable(1, nullptr);
  EXPECT_EQ(KeyRemap::tableForOemText(u"motoq"), nullptr);
  EXPECT_EQ(KeyRemap::tableForOemText(u"Nightvault Emulator"), nullptr);
  int pairs = 0;
  for (const KeyRemapPair* pair = KeyRemap::tableForOemText(u"HERM100"); pair->from; ++pair) ++pairs;
  EXPECT_EQ(pairs, 25);
}

TEST_F(CanvasKeysTest, InputModeSwitchesTheInputMethodFromVersionSix) {
  qel::midlet::PlatformLibraries::loadAygshell();
  CanvasPtr canvas = new RecordingCanvas();
  wce::clearRecordedShellCalls();
  display->setCurrent(canvas);
  canvas->setInputMode(DCanvas::InputText);
  EXPECT_TRUE(wce::recordedImeModeCalls().empty());

  wce::DeviceProfile six;
  six.osMajor = 6;
  wce::ScopedDeviceProfile scoped(six);
  canvas->setInputMode(DCanvas::InputText);
  canvas->setInputMode(DCanvas::InputNumeric);
  canvas->setInputMode(5);
  display->setCurrent(nullptr);
  canvas->setInputMode(DCanvas::InputDefault);
  display->setCurrent(canvas);
  std::vector<wce::DWORD> modes;
  for (const wce::ShellCall& call : wce::recordedImeModeCalls()) modes.push_back(call.argument);
  EXPECT_EQ(modes, (std::vector<wce::DWORD>{1, 7, 7}));
  qel::midlet::PlatformLibraries::unload();
}

}  // namespace
}  // namespace qel::lcdui::testing
