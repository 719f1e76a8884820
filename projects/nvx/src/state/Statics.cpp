#include <cstddef>
#include <initializer_list>

#include "lang/DString.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/TableData.h"
#include "nvx/src/world/Path.h"

namespace nvx {

using namespace qel::lang;
using qel::util::DHashtable;
using qel::util::DHashtablePtr;
using qel::util::DVector;
using qel::util::DVectorPtr;

namespace {

constexpr int32_t levelTableCapacity = 11;
constexpr int32_t levelTableLoadPercent = 75;

template <class Array, class E, size_t N>
DPtr<Array> makeRow(const E (&values)[N]) {
  DPtr<Array> row = new Array(static_cast<int32_t>(N));
  for (size_t i = 0; i < N; ++i) row->at(static_cast<int32_t>(i)) = values[i];
  return row;
}

template <class Array, class E>
DPtr<Array> makeRow(std::initializer_list<E> values) {
  DPtr<Array> row = new Array(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (E v : values) row->at(i++) = v;
  return row;
}

template <class Array2d, class Row, class Table, size_t N>
DPtr<Array2d> makeTable(const Table (&rows)[N]) {
  DPtr<Array2d> table = new Array2d(static_cast<int32_t>(N));
  for (size_t r = 0; r < N; ++r) table->at(static_cast<int32_t>(r)) = makeRow<Row>(rows[r]);
  return table;
}

DHashtablePtr levelHashtable() { return new DHashtable(levelTableCapacity, levelTableLoadPercent); }

DshortArray2dPtr buildSpriteTable() {
  DshortArray2dPtr table = makeTable<DshortArray2d, DshortArray>(tables::sprites);
  for (int row : tables::cellSizedSprites) {
    table->at(row)->at(2) = GameState::cellSize;
    table->at(row)->at(3) = GameState::cellSize;
  }
  table->at(tables::fontSpriteRow)->at(2) = GameState::textCharWidth;
  table->at(tables::fontSpriteRow)->at(3) = GameState::textLineHeight;
  return table;
}

DObjectArray2dPtr buildRouteTable() {
  const int32_t persons = static_cast<int32_t>(std::size(tables::routeTable));
  DObjectArray2dPtr table = new DObjectArray2d(persons, tables::routeSteps);
  for (int32_t p = 0; p < persons; ++p)
    for (int32_t s = 0; s < tables::routeSteps; ++s) {
      const int8_t* step = tables::routeTable[p][s];
      table->at(p)->at(s) = new Path(0, 0, step[0], step[1], 0);
    }
  return table;
}

DObjectArrayPtr buildPictureNames() {
  DObjectArrayPtr names = new DObjectArray(tables::pictureCount);
  for (int32_t i = 0; i < tables::pictureCount; ++i) names->at(i) = new DString(tables::pictureNames[i]);
  return names;
}

}  // namespace

void MainCanvas::initStatics() {
  mapPlaces_ = makeTable<DintArray2d, DintArray>(tables::mapPlaces);
  resShortRows_ = new DshortArray2d(tables::shortRowGroups);
  mapPoints_ = makeTable<DshortArray2d, DshortArray>(tables::mapPoints);
  spriteTable_ = buildSpriteTable();
  objectTypeTable_ = makeTable<DintArray2d, DintArray>(tables::objectKindTable);
  bestResults = new DVector();
  hotZones_ = new DintArray2d(tables::touchZoneCount, 4);
  keyCodeList_ = makeRow<DintArray>(tables::keyCodeList);
  mapRoutes_ = makeTable<DbyteArray2d, DbyteArray>(tables::mapRoutes);
  mapLinks_ = makeTable<DbyteArray2d, DbyteArray>(tables::mapLinks);
  persons_ = new DObjectArray(tables::personCount);
  savedIds_ = new DVector();
  levelList_ = new DVector();
  itemTable_ = makeTable<DshortArray2d, DshortArray>(tables::itemValueTable);
  itemPairCount_ = itemTable->length() / tables::shopRows;
  shopGrid_ = new DbyteArray2d(tables::shopRows, itemPairCount);
  carrySlots_ = new DbyteArray(tables::carrySlots);
  options_ = new DboolArray(tables::optionCount);
  options->at(tables::defaultOption) = 1;
  directionSteps_ = makeTable<DshortArray2d, DshortArray>(tables::directionSteps);
  diagonalSteps_ = makeTable<DshortArray2d, DshortArray>(tables::diagonalSteps);
  bounceOffsets_ = makeRow<DbyteArray>(tables::bounceOffsets);
  halfPhase_ = makeRow<DshortArray>(tables::halfPhase);
  animationFrames_ = makeTable<DshortArray2d, DshortArray>(tables::animationFrames);
  typeGroups_ = makeTable<DshortArray2d, DshortArray>(tables::typeGroups);
  turnSteps_ = makeTable<DbyteArray2d, DbyteArray>(tables::turnSteps);
  routeTable_ = buildRouteTable();
  objectFallbacks_ = makeTable<DbyteArray2d, DbyteArray>(tables::objectFallbacks);
  levelTable_ = makeTable<DshortArray2d, DshortArray>(tables::levelTable);
  difficultyTable_ = makeTable<DbyteArray2d, DbyteArray>(tables::difficultyTable);
  alarmTable_ = makeTable<DshortArray2d, DshortArray>(tables::alarmTable);
  levelCounters = new DintArray(tables::levelCounterCount);
  levelTotals = new DintArray(tables::levelTotalCount);
  roomObjects_ = levelHashtable();
  bombs_ = levelHashtable();
  alarmLinks_ = levelHashtable();
  savedAlarmLinks_ = levelHashtable();
  savedBombs_ = levelHashtable();
  activePersons_ = new DVector();
  activeAtLevelStart_ = new DVector();
  padLetters_ = new DbyteArray(tables::carrySlots);
  for (int32_t i = 0; i < tables::carrySlots; ++i) padLetters->at(i) = tables::emptyPocket;
  colourTable_ = makeRow<DintArray>(tables::colourTable);
  hudOffsetX_ = -spriteTable->at(spriteHud)->at(2);
  objectChances_ = makeTable<DbyteArray2d, DbyteArray>(tables::objectChances);
  levelScores_ = new DintArray(tables::levelScoreCount);
  glyphWidths_ = makeRow<DbyteArray>(tables::glyphWidths);
  random_ = new qel::util::DRandom();
  pictureNames_ = buildPictureNames();
  pictureAreas_ = makeTable<DshortArray2d, DshortArray>(tables::pictureAreas);
  textCache_ = levelHashtable();
  storeSave_ = new DString("save");
  storeOption_ = new DString("option");
  storeWinner_ = new DString("winner");
  storePath_ = new DString("path");

  reportedPersons_ = new DVector();
  routeIndex = new DintArray(tables::personCount);
  resultValues = new DObjectArray(3);
}

void MainCanvas::releaseStatics() {
  for (DPtr<DObject>* slot : {&chosenPerson, &selectedPerson, &pendingScreen}) slot->release();
  spriteTable_.release();
  mapPlaces_.release();
  mapPoints_.release();
  resShortRows_.release();
  objectTypeTable_.release();
  hotZones_.release();
  keyCodeList_.release();
  mapRoutes_.release();
  mapLinks_.release();
  itemTable_.release();
  shopGrid_.release();
  carrySlots_.release();
  options_.release();
  directionSteps_.release();
  diagonalSteps_.release();
  bounceOffsets_.release();
  halfPhase_.release();
  animationFrames_.release();
  typeGroups_.release();
  turnSteps_.release();
  routeTable_.release();
  objectFallbacks_.release();
  levelTable_.release();
  difficultyTable_.release();
  alarmTable_.release();
  levelCounters.release();
  levelTotals.release();
  colourTable_.release();
  padLetters_.release();
  objectChances_.release();
  levelScores_.release();
  glyphWidths_.release();
  pictureAreas_.release();
  pictureNames_.release();
  for (DObjectArrayPtr* array : {&persons_, &pictures, &resultValues}) array->release();
  for (DVectorPtr* list :
       {&bestResults, &savedIds_, &levelList_, &activePersons_, &activeAtLevelStart_, &reportedPersons_})
    list->release();
  for (DHashtablePtr* table : {&roomObjects_, &bombs_, &alarmLinks_, &savedAlarmLinks_, &savedBombs_, &textCache_})
    table->release();
  random_.release();
  for (DStringPtr* name : {&storeSave_, &storeOption_, &storeWinner_, &storePath_}) name->release();
  grid.release();
  routeIndex.release();
  screenAnimation.release();
  trailImage.release();
  trailGraphics.release();
  tickerText.release();
  alphabet.release();
  specialGlyphs.release();
  sounds.release();
  texts.release();
  guiImages.release();
  for (qel::lcdui::DImagePtr* image :
       {&rateImage, &infoImage, &arrowUp, &arrowDown, &arrowLeft, &arrowRight, &splashImage_, &backImage_})
    image->release();
  instance.release();
}

}  // namespace nvx
