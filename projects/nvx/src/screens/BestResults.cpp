#include "nvx/src/screens/BestResults.h"

#include <algorithm>

#include "lang/DintArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/GameDialogs.h"

namespace nvx {

using qel::lang::DintArray;
using qel::lang::DintArrayPtr;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;
using qel::util::DVector;
using qel::util::DVectorPtr;

namespace {

constexpr int32_t defaultAmounts[BestResults::resultRows] = {100000, 50000, 30000, 20000, 10000};

DObjectArray* namesOf(const DVectorPtr& table) { return dynamic_cast<DObjectArray*>(table->elementAt(0)); }
DintArray* amountsOf(const DVectorPtr& table) { return dynamic_cast<DintArray*>(table->elementAt(1)); }
DshortArray* nameAt(DObjectArray& names, int32_t row) { return dynamic_cast<DshortArray*>(names.at(row).get()); }

}  // namespace

DshortArrayPtr BestResults::fitName(const DshortArrayPtr& glyphs) {
  DshortArrayPtr name = new DshortArray(nameLength);
  const int32_t n = glyphs ? std::min(glyphs->length(), nameLength) : 0;
  for (int32_t i = 0; i < n; ++i) name->at(i) = glyphs->at(i);
  return name;
}

DVectorPtr BestResults::defaultBestResults() {
  DObjectArrayPtr names = new DObjectArray(resultRows);
  DintArrayPtr amounts = new DintArray(resultRows);
  for (int32_t i = 0; i < resultRows; ++i) {
    names->at(i) = fitName(LanguageTexts::getText(firstDefaultName + i));
    amounts->at(i) = defaultAmounts[i];
  }
  DVectorPtr table = new DVector(2);
  table->addElement(names);
  table->addElement(amounts);
  return table;
}

bool BestResults::isWholeTable(const DVectorPtr& table) {
  if (!table || table->size() < 2) return false;
  DObjectArray* names = namesOf(table);
  DintArray* amounts = amountsOf(table);
  if (!names || !amounts || names->length() < resultRows || amounts->length() < resultRows) return false;
  for (int32_t i = 0; i < resultRows; ++i) {
    const DshortArray* name = nameAt(*names, i);
    if (!name || name->length() != nameLength) return false;
  }
  return true;
}

int32_t BestResults::insertBestResult(const DVectorPtr& table, int32_t amount, const DshortArrayPtr& name) {
  DObjectArray& names = *namesOf(table);
  DintArray& amounts = *amountsOf(table);
  int32_t row = 0;
  while (row < resultRows && amounts.at(row) >= amount) ++row;
  if (row == resultRows) return -1;
  for (int32_t i = resultRows - 1; i > row; --i) {
    names.at(i) = names.at(i - 1);
    amounts.at(i) = amounts.at(i - 1);
  }
  names.at(row) = fitName(name);
  amounts.at(row) = amount;
  return row;
}

void BestResults::resetBestResults() {
  const DVectorPtr table = defaultBestResults();
  GameStore::saveBestResults(DObjectArrayPtr(namesOf(table)), DintArrayPtr(amountsOf(table)));
}

void BestResults::enterBestResults() {
  SplashScreen::swapPictures(2);
  DVectorPtr table = GameStore::loadBestResults();
  // A missing or damaged record shows the defaults; the store keeps its
  // bytes until a name is stored.
  GameTables::bestResults = isWholeTable(table) ? table : defaultBestResults();
  const int32_t line = GameState::textLineHeight + 3;
  GameState::bestTableTop_ = GameState::layoutBottom / 2 - (line * 6) / 2;
  GameState::bestFirstRowY_ = GameState::bestTableTop + line;
  if (GameState::winnerRow >= 0) {
    GameState::winnerRow =
        insertBestResult(GameTables::bestResults, GameState::money, LanguageTexts::getText(newNameText));
    GameState::letterCursor_ = 0;
  }
  StateMachine::enter(StateMachine::stateBestResults);
  GameState::bestResultsRepaint_ = 1;
}

void BestResults::showBestResults(int32_t row) {
  GameState::winnerRow = row;
  enterBestResults();
}

void BestResults::updateBestResults() {
  const int32_t action = KeyInput::keyAction(GameState::pendingKey);
  GameState::halfSecondCount = 1;
  if (action == KeyInput::softKeyLeft) {
    const DVectorPtr& table = GameTables::bestResults;
    if (GameState::winnerRow >= 0)
      GameStore::saveBestResults(DObjectArrayPtr(namesOf(table)), DintArrayPtr(amountsOf(table)));
    GameDialogs::returnToMainMenu();
    return;
  }
  if (GameState::winnerRow < 0) return;
  DshortArray& name = *nameAt(*namesOf(GameTables::bestResults), GameState::winnerRow);
  switch (action) {
    case KeyInput::actionUp: --name.at(GameState::letterCursor); break;
    case KeyInput::actionDown: ++name.at(GameState::letterCursor); break;
    case KeyInput::actionLeft:
      --GameState::letterCursor_;
      GameState::pendingKey = GameState::noKey;
      break;
    case KeyInput::actionRight:
      ++GameState::letterCursor_;
      GameState::pendingKey = GameState::noKey;
      break;
    default: break;
  }
  GameState::letterCursor_ = std::clamp(GameState::letterCursor, 0, nameLength - 1);
  int16_t& letter = name.at(GameState::letterCursor);
  if (letter > lastNameGlyph) letter = 0;
  if (letter < 0) letter = lastNameGlyph;
}

void BestResults::bestResultsClock() {
  if (FrameClock::clockPhase != 0 && FrameClock::clockPhase != 6) return;
  if (GameState::halfSecondCount <= 2) return;
  GameState::pendingKey = GameState::noKey;
  updateBestResults();
  GameState::halfSecondCount = 3;
}

}  // namespace nvx
