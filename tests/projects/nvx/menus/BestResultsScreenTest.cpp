#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "lang/DObjectArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "tests/projects/nvx/LanguageFileWriter.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using Bytes = std::vector<uint8_t>;

const int32_t defaultAmounts[] = {100000, 50000, 30000, 20000, 10000};

std::vector<int> nameAt(int row) {
  auto* names = dynamic_cast<qel::lang::DObjectArray*>(GameTables::bestResults->elementAt(0));
  auto* name = dynamic_cast<qel::lang::DshortArray*>(names->at(row).get());
  return std::vector<int>(name->data(), name->data() + name->length());
}

std::vector<int32_t> amounts() {
  auto* a = dynamic_cast<qel::lang::DintArray*>(GameTables::bestResults->elementAt(1));
  return std::vector<int32_t>(a->data(), a->data() + a->length());
}

// The "winner" record as its layout gives it: 25 names' glyphs as 16-bit
// values, then 5 amounts as 32-bit values, big-endian, zeros to 90 bytes.
Bytes winnerBytes(const std::vector<std::vector<int>>& names, const std::vector<int32_t>& amounts) {
  Bytes out;
  for (const auto& name : names)
    for (int g : name) {
      out.push_back(static_cast<uint8_t>(g >> 8));
      out.push_back(static_cast<uint8_t>(g));
    }
  for (int32_t a : amounts)
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(a >> shift));
  out.resize(90);
  return out;
}

class BestResultsScreenTest : public MenusTest {
protected:
  // Enters the screen the way a finished game does: a row may be taken.
  void enterAfterGame(int32_t money) {
    GameState::money = money;
    BestResults::showBestResults(0);
  }
  void press(int32_t key) { StateMachine::update(key); }
};

TEST_F(BestResultsScreenTest, AResultTakesTheFirstRowWhoseAmountIsBelowIt) {
  struct Case {
    int32_t money;
    int32_t row;
    std::vector<int32_t> amounts;
  };
  const Case cases[] = {
      {60000, 1, {100000, 60000, 50000, 30000, 20000}},
      {100001, 0, {100001, 100000, 50000, 30000, 20000}},
      // A tie goes below the results it ties with.
      {100000, 1, {100000, 100000, 50000, 30000, 20000}},
      {30000, 3, {100000, 50000, 30000, 30000, 20000}},
      {10000, -1, {100000, 50000, 30000, 20000, 10000}},
      {9999, -1, {100000, 50000, 30000, 20000, 10000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.money);
    BestResults::resetBestResults();
    enterAfterGame(c.money);
    EXPECT_EQ(GameState::gameState, StateMachine::stateBestResults);
    EXPECT_EQ(GameState::winnerRow, c.row);
    EXPECT_EQ(amounts(), c.amounts);
    for (int row = 0; row < 5; ++row) {
      if (row == c.row) {
        EXPECT_EQ(nameAt(row), glyphsOf(207));
      } else {
        const int source = c.row >= 0 && row > c.row ? row - 1 : row;
        EXPECT_EQ(nameAt(row), glyphsOf(251 + source)) << row;
      }
    }
    EXPECT_EQ(GameState::letterCursor, 0);
  }
}

TEST_F(BestResultsScreenTest, ShowingTheTableTakesNoRowWhateverTheMoney) {
  BestResults::resetBestResults();
  GameState::money = 999999;
  BestResults::showBestResults(-1);
  EXPECT_EQ(GameState::gameState, StateMachine::stateBestResults);
  EXPECT_EQ(GameState::winnerRow, -1);
  EXPECT_EQ(amounts(), std::vector<int32_t>(std::begin(defaultAmounts), std::end(defaultAmounts)));
  press('8');
  EXPECT_EQ(nameAt(0), glyphsOf(251));
  // Leaving a show-only table stores nothing and returns to the main menu.
  const Bytes before = recordOf(u"winner");
  press(KeyInput::softKeyLeft);
  EXPECT_EQ(recordOf(u"winner"), before);
  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(DialogWindow::dialogId, GameDialogs::mainMenuId);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateSplash);
}

TEST_F(BestResultsScreenTest, NameEntryWrapsTheLetterAndStoresTheTable) {
  BestResults::resetBestResults();
  enterAfterGame(60000);
  ASSERT_EQ(GameState::winnerRow, 1);
  std::vector<int> name = glyphsOf(207);
  const std::vector<int> newName = name;
  const int first = name[0];
  // Down goes through all 53 name letters, 52 then 0, back to the start.
  for (int k = 1; k <= 53; ++k) {
    press('8');
    ASSERT_EQ(nameAt(1)[0], (first + k) % 53) << k;
  }
  // Up from letter 0 gives 52.
  for (int k = 0; k < first; ++k) press('2');
  EXPECT_EQ(nameAt(1)[0], 0);
  press('2');
  EXPECT_EQ(nameAt(1)[0], 52);
  name[0] = 52;

  press('4');
  EXPECT_EQ(GameState::letterCursor, 0);
  for (int k = 0; k < 6; ++k) press('6');
  EXPECT_EQ(GameState::letterCursor, 4);
  press('8');
  name[4] = (name[4] + 1) % 53;
  press('4');
  press('2');
  name[3] = (name[3] + 52) % 53;
  EXPECT_EQ(nameAt(1), name);

  press(KeyInput::softKeyLeft);
  EXPECT_EQ(recordOf(u"winner"),
            winnerBytes({glyphsOf(251), name, glyphsOf(252), glyphsOf(253), glyphsOf(254)},
                        {100000, 60000, 50000, 30000, 20000}));
  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(DialogWindow::dialogId, GameDialogs::mainMenuId);
  // The edited row is a copy: the language's texts keep their glyphs.
  EXPECT_EQ(glyphsOf(207), newName);
  EXPECT_EQ(glyphsOf(252)[0], nameAt(2)[0]);
}

TEST_F(BestResultsScreenTest, ADamagedRecordShowsTheDefaultsAndIsKeptUntilANameIsStored) {
  const Bytes damaged = {0, 1, 0, 2, 0, 3};
  writeRecord(u"winner", damaged);
  BestResults::showBestResults(-1);
  EXPECT_EQ(amounts(), std::vector<int32_t>(std::begin(defaultAmounts), std::end(defaultAmounts)));
  EXPECT_EQ(nameAt(4), glyphsOf(255));
  press(KeyInput::softKeyLeft);
  EXPECT_EQ(recordOf(u"winner"), damaged);

  enterAfterGame(25000);
  EXPECT_EQ(GameState::winnerRow, 3);
  press(KeyInput::softKeyLeft);
  EXPECT_EQ(recordOf(u"winner"),
            winnerBytes({glyphsOf(251), glyphsOf(252), glyphsOf(253), glyphsOf(207), glyphsOf(254)},
                        {100000, 50000, 30000, 25000, 20000}));
}

// A language whose default names are not five letters long.
class OddNamesTest : public BestResultsScreenTest {
protected:
  std::map<std::string, std::string> replacedEntries() const override {
    LanguageFileWriter en(0, " ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    en.text(203, "BEST").text(207, "AL").text(251, "MAXIMILIAN").text(252, "BO").text(253, "CLARA");
    en.text(254, "").text(255, "DEE");
    return {{"lng_en.dat", en.bytes()}};
  }
};

TEST_F(OddNamesTest, NamesArePaddedWithSpacesOrCutToFiveLetters) {
  BestResults::resetBestResults();
  const std::vector<std::vector<int>> defaults = {
      {13, 1, 24, 9, 13}, {2, 15, 0, 0, 0}, {3, 12, 1, 18, 1}, {0, 0, 0, 0, 0}, {4, 5, 5, 0, 0}};
  EXPECT_EQ(recordOf(u"winner"), winnerBytes(defaults, {100000, 50000, 30000, 20000, 10000}));

  enterAfterGame(40000);
  ASSERT_EQ(GameState::winnerRow, 2);
  EXPECT_EQ(nameAt(2), (std::vector<int>{1, 12, 0, 0, 0}));
  for (int k = 0; k < 4; ++k) press('6');
  press('2');
  press(KeyInput::softKeyLeft);
  EXPECT_EQ(recordOf(u"winner"),
            winnerBytes({defaults[0], defaults[1], {1, 12, 0, 0, 52}, defaults[2], defaults[3]},
                        {100000, 50000, 40000, 30000, 20000}));
}

TEST_F(BestResultsScreenTest, TheScreenShowsTheTableWithTheNameBeingEntered) {
  BestResults::resetBestResults();
  enterAfterGame(45000);
  qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImageOfFormat(240, 320, qel::raster::PF_ARGB8888);
  qel::lcdui::DGraphicsPtr g = screen->getGraphics();
  nvtest::writable(GameState::pulsePhase) = 1;
  StateMachine::paint(g);
  std::vector<uint32_t> cursorHidden;
  for (int x = 0; x < 240; ++x)
    for (int y = 0; y < 320; ++y) cursorHidden.push_back(nvtest::pixel(screen, x, y));
  nvtest::writable(GameState::pulsePhase) = 13;
  StateMachine::paint(g);
  nvtest::dumpPng(screen, "best-results");

  // The letter cursor blinks under the first letter of the edited row only.
  const int c = GameState::textCharWidth, l = GameState::textLineHeight;
  const int left = 120 - 8 * c;
  const int rowY = GameState::bestFirstRowY + 2 * (l + 3) + l / 2 + 1;
  int changedInCursorCell = 0, changedElsewhere = 0;
  for (int x = 0; x < 240; ++x)
    for (int y = 0; y < 320; ++y) {
      if (nvtest::pixel(screen, x, y) == cursorHidden[static_cast<size_t>(x * 320 + y)]) continue;
      const bool inCell = x >= left && x < left + c && y >= rowY + l / 2 + 2 && y < rowY + l / 2 + 2 + l;
      ++(inCell ? changedInCursorCell : changedElsewhere);
    }
  EXPECT_GT(changedInCursorCell, 0);
  EXPECT_EQ(changedElsewhere, 0);
}

// With a touch screen the four cells around the edited letter stand for the
// keys that change it and move the cursor.
TEST_F(BestResultsScreenTest, TouchZonesAroundTheEditedLetterActAsItsKeys) {
  nvtest::writable(GameState::touchInput) = 1;
  BestResults::resetBestResults();
  enterAfterGame(200000);
  ASSERT_EQ(GameState::winnerRow, 0);
  StateMachine::paint(qel::lcdui::DImage::createImage(240, 320)->getGraphics());
  const int c = GameState::textCharWidth, l = GameState::textLineHeight;
  const int x = 120 - 8 * c + c / 2;
  const int y = GameState::bestFirstRowY + l / 2 + 1 + l / 2;
  const int first = nameAt(0)[0];
  press(GameTables::keyCodeList[KeyInput::hotZoneAt(x, y - l)]);
  EXPECT_EQ(nameAt(0)[0], (first + 52) % 53);
  press(GameTables::keyCodeList[KeyInput::hotZoneAt(x, y + 2 * l)]);
  EXPECT_EQ(nameAt(0)[0], first);
  press(GameTables::keyCodeList[KeyInput::hotZoneAt(x + 2 * c, y)]);
  EXPECT_EQ(GameState::letterCursor, 1);
  press(GameTables::keyCodeList[KeyInput::hotZoneAt(x - 2 * c + c, y)]);
  EXPECT_EQ(GameState::letterCursor, 0);
}

}  // namespace
}  // namespace nvx
