#include "nvx/src/screens/BestResults.h"

#include <algorithm>

#include "lang/DintArray.h"
#include "nvx/src/state/MainCanvas.h"

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
    names->at(i) = fitName(MainCanvas::getText(firstDefaultName + i));
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
  MainCanvas::saveBestResults(DObjectArrayPtr(namesOf(table)), DintArrayPtr(amountsOf(table)));
}

void BestResults::enterBestResults() {
  MainCanvas::swapPictures(2);
  DVectorPtr table = MainCanvas::loadBestResults();
  // A missing or damaged record shows the defaults; the store keeps its
  // bytes until a name is stored.
  MainCanvas::bestResults = isWholeTable(table) ? table : defaultBestResults();
  const int32_t line = MainCanvas::textLineHeight + 3;
  MainCanvas::bestTableTop = MainCanvas::layoutBottom / 2 - (line * 6) / 2;
  MainCanvas::bestFirstRowY = MainCanvas::bestTableTop + line;
  if (MainCanvas::winnerRow >= 0) {
    MainCanvas::winnerRow =
        insertBestResult(MainCanvas::bestResults, MainCanvas::money, MainCanvas::getText(newNameText));
    MainCanvas::letterCursor = 0;
  }
  MainCanvas::enter(MainCanvas::stateBestResults);
  MainCanvas::bestResultsRepaint = 1;
}

void BestResults::showBestResults(int32_t row) {
  MainCanvas::winnerRow = row;
  enterBestResults();
}

void BestResults::updateBestResults() {
  const int32_t action = MainCanvas::keyAction(MainCanvas::pendingKey);
  MainCanvas::halfSecondCount = 1;
  if (action == MainCanvas::softKeyLeft) {
    const DVectorPtr& table = MainCanvas::bestResults;
    if (MainCanvas::winnerRow >= 0)
      MainCanvas::saveBestResults(DObjectArrayPtr(namesOf(table)), DintArrayPtr(amountsOf(table)));
    MainCanvas::returnToMainMenu();
    return;
  }
  if (MainCanvas::winnerRow < 0) return;
  DshortArray& name = *nameAt(*namesOf(MainCanvas::bestResults), MainCanvas::winnerRow);
  switch (action) {
    case MainCanvas::actionUp: --name.at(MainCanvas::letterCursor); break;
    case MainCanvas::actionDown: ++name.at(MainCanvas::letterCursor); break;
    case MainCanvas::actionLeft:
      --MainCanvas::letterCursor;
      MainCanvas::pendingKey = MainCanvas::noKey;
      break;
    case MainCanvas::actionRight:
      ++MainCanvas::letterCursor;
      MainCanvas::pendingKey = MainCanvas::noKey;
      break;
    default: break;
  }
  MainCanvas::letterCursor = std::clamp(MainCanvas::letterCursor, 0, nameLength - 1);
  int16_t& letter = name.at(MainCanvas::letterCursor);
  if (letter > lastNameGlyph) letter = 0;
  if (letter < 0) letter = lastNameGlyph;
}

void BestResults::bestResultsClock() {
  if (MainCanvas::clockPhase != 0 && MainCanvas::clockPhase != 6) return;
  if (MainCanvas::halfSecondCount <= 2) return;
  MainCanvas::pendingKey = MainCanvas::noKey;
  updateBestResults();
  MainCanvas::halfSecondCount = 3;
}

}  // namespace nvx
