#include <string>

#include "gamelib/SoundManager.h"
#include "lang/DShort.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "tests/projects/nvx/windows/WindowFixture.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using qel::lang::DbyteArray;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

constexpr int up = 2, down = 3, left = 4, right = 5, fire = 10, pageUp = 7, pageDown = 9;

class KeysTest : public WindowFixture {
protected:
  // A result the window has not replaced yet.
  void markResult() { DialogWindow::result = new qel::lang::DString(u"(open)"); }

  void openText(const std::u16string& text, int softKeyCount) {
    DialogWindow::openDialog(
        0, nullptr, 8, nullptr, softKeyCount > 1 ? new DshortArray(2, 0, 126, 127) : new DshortArray(1, 0, 126), 135);
    DialogWindow::bodyText = glyphs(text.c_str());
    DialogWindow::prepareDialog(0);
    markResult();
  }

  void openMenu(int count, bool plain, int softKeyCount = 1) {
    DshortArrayPtr items = new DshortArray(count);
    for (int i = 0; i < count; ++i) items[i] = static_cast<int16_t>(190 + i);
    nvtest::writable(DialogWindow::plainList) = plain ? 1 : 0;
    DialogWindow::openListDialog(
        3, DialogWindow::kindList, nullptr, items, nullptr, nullptr, nullptr, 128, softKeyCount);
    markResult();
  }

  void openOptions(bool soundOn, int effects, int music) {
    openOptionsWindow(soundOn, effects, music);
    markResult();
  }

  static void key(int action) { DialogWindow::textDialogKey(action); }
  static void rawKey(int code) {
    GameState::pendingKey = code;
    DialogWindow::textDialogKey(KeyInput::keyAction(code));
    GameState::pendingKey = GameState::noKey;
  }
  static void typeCode() {
    for (int action : {up, up, down, down, left, right, left, right}) key(action);
  }
};

std::u16string longText() {
  std::u16string text;
  for (int i = 0; i < 1500; ++i) text += (i % 5 == 4) ? u' ' : u'x';
  return text;
}

TEST_F(KeysTest, SoftKeysOfATextWindowAnswerTheirIds) {
  struct Case {
    int softKeys, action;
    std::u16string result;
  } cases[] = {
      {2, 0, u"126"},
      {2, 10000, u"126"},
      {2, fire, u"126"},
      {2, 1, u"127"},
      {2, 10001, u"127"},
      {1, 1, u"(open)"},
      {1, 10001, u"(open)"},
      {1, 0, u"126"},
  };
  for (const Case& c : cases) {
    openText(u"Short.", c.softKeys);
    key(c.action);
    EXPECT_EQ(resultText(), c.result) << c.softKeys << " keys, action " << c.action;
  }
}

TEST_F(KeysTest, ScrollingMovesTheFirstLineAndStopsWithAFullLastPage) {
  openText(longText(), 1);
  ASSERT_EQ(DialogWindow::scrolls, 1);
  const int last = DialogWindow::lineCount - DialogWindow::visibleLines;
  const int page = DialogWindow::visibleLines;
  ASSERT_GT(last, page + 1);
  ASSERT_LT(last, 2 * page);
  struct Step {
    int action, first;
  } steps[] = {{up, 0},
               {down, 1},
               {down, 2},
               {up, 1},
               {pageDown, 1 + page},
               {pageDown, last},
               {down, last},
               {pageUp, last - page},
               {pageUp, 0}};
  for (const Step& s : steps) {
    key(s.action);
    EXPECT_EQ(DialogWindow::selection, s.first) << s.action;
  }
  EXPECT_EQ(resultText(), u"(open)");
}

TEST_F(KeysTest, AShortTextDoesNotScroll) {
  openText(u"Short.", 1);
  key(down);
  key(pageDown);
  EXPECT_EQ(DialogWindow::selection, 0);
}

TEST_F(KeysTest, TheHiddenCodeAndItsEffects) {
  openText(u"Short.", 2);
  GameState::money = 50;
  typeCode();
  key(down);
  EXPECT_EQ(GameState::money, 1000000);
  EXPECT_EQ(DialogWindow::codePosition, 0);

  typeCode();
  key(pageDown);
  EXPECT_EQ(spelled(DialogWindow::bodyText), u";)");

  GameState::difficulty = 2;
  typeCode();
  key(left);
  EXPECT_EQ(GameState::difficulty, 0);
  typeCode();
  key(right);
  EXPECT_EQ(GameState::difficulty, 1);

  // A wrong action on the way starts again.
  GameState::money = 50;
  for (int action : {up, up, down, up}) key(action);
  EXPECT_EQ(DialogWindow::codePosition, 0);
  for (int action : {down, left, right, left, right, down}) key(action);
  EXPECT_EQ(GameState::money, 50);

  // The code's keys are the window's keys too: accept still answers.
  typeCode();
  key(0);
  EXPECT_EQ(resultText(), u"126");
  EXPECT_EQ(DialogWindow::codePosition, 0);
}

// Jobs 1 to 20 are the levels 7 to 26; 21 would be past the last level.
TEST_F(KeysTest, TheHiddenCodeTakesTwoDigitsOfAJobOnlyFromOneToTwenty) {
  struct Case {
    char tens, units;
    int level;
  } cases[] = {{'0', '1', 7}, {'0', '5', 11}, {'1', '9', 25}, {'2', '0', 26}, {'0', '0', -1}, {'2', '1', -1}};
  // The persons the start-up loading makes.
  for (int id = 0; id < GameTables::persons->length(); ++id) GameTables::persons[id] = new Person(id);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tens << c.units);
    GameState::levelNumber = -1;
    GameState::pendingTransition = 0;
    GameState::mapMessage = -1;
    openText(u"Short.", 2);
    typeCode();
    rawKey(c.tens);
    EXPECT_EQ(DialogWindow::codePosition, 9);
    rawKey(c.units);
    EXPECT_EQ(DialogWindow::codePosition, 0);
    EXPECT_EQ(GameState::levelNumber, c.level);
    EXPECT_EQ(GameState::pendingTransition, c.level > 0 ? 3 : 0);
    EXPECT_EQ(GameState::mapMessage, -1);
    // The digit is taken by the code: the window stays open.
    EXPECT_EQ(resultText(), u"(open)");
  }
  GameState::pendingTransition = 0;
  GameState::levelNumber = -1;
}

TEST_F(KeysTest, MenuSelectionWrapsAPlainListStopsAtItsEnds) {
  struct Case {
    bool plain;
    int from, action, to;
  } cases[] = {
      {false, 0, up, 4},
      {false, 4, down, 0},
      {false, 2, down, 3},
      {false, 2, up, 1},
      {true, 0, up, 0},
      {true, 4, down, 4},
      {true, 2, down, 3},
      {false, 4, pageDown, 0},
      {false, 0, pageUp, 4},
      {false, 1, pageDown, 0},
  };
  for (const Case& c : cases) {
    openMenu(5, c.plain);
    DialogWindow::selection = c.from;
    DialogWindow::listDialogKey(c.action);
    EXPECT_EQ(DialogWindow::selection, c.to) << c.plain << " " << c.from << " " << c.action;
  }
}

TEST_F(KeysTest, PagesOfAScrollingList) {
  openMenu(40, false);
  const int page = DialogWindow::pageItems;
  ASSERT_LT(page, 40);
  DialogWindow::listDialogKey(pageDown);
  EXPECT_EQ(DialogWindow::selection, page);
  DialogWindow::selection = 39;
  DialogWindow::listDialogKey(pageDown);
  EXPECT_EQ(DialogWindow::selection, 0);

  // A plain list that scrolls turns its first page with one step down.
  openMenu(40, true);
  DialogWindow::selection = 0;
  DialogWindow::listDialogKey(down);
  EXPECT_EQ(DialogWindow::selection, DialogWindow::pageItems);
}

TEST_F(KeysTest, AListAnswersTheChosenIdAndCancelsOnlyWithTwoSoftKeys) {
  openMenu(3, false, 1);
  DialogWindow::listDialogKey(1);
  DialogWindow::listDialogKey(10001);
  EXPECT_EQ(resultText(), u"(open)");
  DialogWindow::selection = 2;
  DialogWindow::listDialogKey(fire);
  auto chosen = qel::lang::dynamicPtrCast<qel::lang::DShort>(DialogWindow::result);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->shortValue(), 192);

  openMenu(3, false, 2);
  DialogWindow::listDialogKey(10001);
  EXPECT_FALSE(DialogWindow::result);
}

TEST_F(KeysTest, OptionsWithChecksAnswerOneTruthPerItem) {
  openOptions(true, 3, 5);
  DialogWindow::itemToggles[2] = 1;
  DialogWindow::listDialogKey(0);
  EXPECT_EQ(resultText(), u"true;false;true;");

  openOptions(false, 3, 5);
  DialogWindow::listDialogKey(10000);
  EXPECT_EQ(resultText(), u"false;false;false;");
}

TEST_F(KeysTest, OptionsWithoutChecksAnswerTheSelectedIndex) {
  DialogWindow::openListDialog(
      29, DialogWindow::kindOptions, nullptr, new DshortArray(3, 0, 47, 48, 49), nullptr, nullptr, nullptr, 46, 2);
  markResult();
  DialogWindow::selection = 2;
  DialogWindow::listDialogKey(fire);
  EXPECT_EQ(resultText(), u"2");
  markResult();
  DialogWindow::listDialogKey(1);
  EXPECT_FALSE(DialogWindow::result);
}

TEST_F(KeysTest, FireFlipsTheCheckAndTheSoundSwitchTurnsTheSoundOnAndOff) {
  GameState::sounds = new gamelib::SoundManager();
  openOptions(false, 3, 5);
  DialogWindow::listDialogKey(fire);
  EXPECT_EQ(DialogWindow::itemToggles[0], 1);
  EXPECT_TRUE(GameState::sounds->isEnabled());
  DialogWindow::listDialogKey(fire);
  EXPECT_EQ(DialogWindow::itemToggles[0], 0);
  EXPECT_FALSE(GameState::sounds->isEnabled());
  EXPECT_EQ(resultText(), u"(open)");
  GameState::sounds.release();
}

TEST_F(KeysTest, VolumesMoveInEighthsOnlyWhileTheSoundIsOn) {
  GameState::sounds = new gamelib::SoundManager();
  struct Case {
    bool soundOn;
    int item, from, action, to;
  } cases[] = {
      {true, 1, 3, right, 4},
      {true, 1, 3, left, 2},
      {true, 1, 0, left, 0},
      {true, 2, 8, right, 8},
      {true, 2, 7, right, 8},
      {false, 1, 3, right, 3},
      {false, 2, 3, left, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.soundOn << " item " << c.item << " from " << c.from);
    GameState::sounds->setSfxVolume(24);
    GameState::sounds->setMusicVolume(24);
    openOptions(c.soundOn, c.from, c.from);
    DialogWindow::selection = c.item;
    DialogWindow::listDialogKey(c.action);
    EXPECT_EQ(DialogWindow::itemValue(c.item), c.to);
    const int effects = c.soundOn && c.item == 1 ? c.to * 8 : 24;
    const int music = c.soundOn && c.item == 2 ? c.to * 8 : 24;
    EXPECT_EQ(GameState::sounds->sfxVolume(), effects);
    EXPECT_EQ(GameState::sounds->musicVolume(), music);
  }
  GameState::sounds.release();
}

TEST_F(KeysTest, AValueItemWithoutItsValueRaisesTheIndexException) {
  DialogWindow::openListDialog(4,
                               DialogWindow::kindOptions,
                               nullptr,
                               new DshortArray(2, 0, 212, -2),
                               nullptr,
                               new DObjectArray(2),
                               new DbyteArray(1, 0, 1),
                               208,
                               1);
  DialogWindow::itemParams[1] = new DObjectArray(0);
  DialogWindow::selection = 1;
  EXPECT_THROW(DialogWindow::listDialogKey(right), qel::lang::DExceptionBase);
}

TEST_F(KeysTest, TheFrameStepHandlesThePendingKeyOnce) {
  openMenu(3, false, 2);
  nvtest::writable(DialogWindow::dialogDirty) = 0;
  GameState::pendingKey = '8';  // down
  DialogWindow::dialogStep();
  EXPECT_EQ(DialogWindow::selection, 1);
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
  EXPECT_EQ(DialogWindow::dialogDirty, 1);
  DialogWindow::dialogStep();
  EXPECT_EQ(DialogWindow::selection, 1);
  GameState::pendingKey = 10004;  // the left application key accepts
  DialogWindow::dialogStep();
  EXPECT_EQ(qel::lang::dynamicPtrCast<qel::lang::DShort>(DialogWindow::result)->shortValue(), 191);
}

}  // namespace
}  // namespace nvx
