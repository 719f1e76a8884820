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
  mapPlaces = makeTable<DintArray2d, DintArray>(tables::mapPlaces);
  resShortRows = new DshortArray2d(tables::shortRowGroups);
  mapPoints = makeTable<DshortArray2d, DshortArray>(tables::mapPoints);
  spriteTable = buildSpriteTable();
  objectTypeTable = makeTable<DintArray2d, DintArray>(tables::objectKindTable);
  bestResults = new DVector();
  hotZones = new DintArray2d(tables::touchZoneCount, 4);
  keyCodeList = makeRow<DintArray>(tables::keyCodeList);
  mapRoutes = makeTable<DbyteArray2d, DbyteArray>(tables::mapRoutes);
  mapLinks = makeTable<DbyteArray2d, DbyteArray>(tables::mapLinks);
  persons = new DObjectArray(tables::personCount);
  savedIds = new DVector();
  levelList = new DVector();
  itemTable = makeTable<DshortArray2d, DshortArray>(tables::itemValueTable);
  itemPairCount_ = itemTable->length() / tables::shopRows;
  shopGrid = new DbyteArray2d(tables::shopRows, itemPairCount);
  carrySlots = new DbyteArray(tables::carrySlots);
  options = new DboolArray(tables::optionCount);
  options->at(tables::defaultOption) = 1;
  directionSteps = makeTable<DshortArray2d, DshortArray>(tables::directionSteps);
  diagonalSteps = makeTable<DshortArray2d, DshortArray>(tables::diagonalSteps);
  bounceOffsets = makeRow<DbyteArray>(tables::bounceOffsets);
  halfPhase = makeRow<DshortArray>(tables::halfPhase);
  animationFrames = makeTable<DshortArray2d, DshortArray>(tables::animationFrames);
  typeGroups = makeTable<DshortArray2d, DshortArray>(tables::typeGroups);
  turnSteps = makeTable<DbyteArray2d, DbyteArray>(tables::turnSteps);
  routeTable = buildRouteTable();
  objectFallbacks = makeTable<DbyteArray2d, DbyteArray>(tables::objectFallbacks);
  levelTable = makeTable<DshortArray2d, DshortArray>(tables::levelTable);
  difficultyTable = makeTable<DbyteArray2d, DbyteArray>(tables::difficultyTable);
  alarmTable = makeTable<DshortArray2d, DshortArray>(tables::alarmTable);
  levelCounters = new DintArray(tables::levelCounterCount);
  levelTotals = new DintArray(tables::levelTotalCount);
  roomObjects = levelHashtable();
  bombs = levelHashtable();
  alarmLinks = levelHashtable();
  savedAlarmLinks = levelHashtable();
  savedBombs = levelHashtable();
  activePersons = new DVector();
  activeAtLevelStart = new DVector();
  padLetters = new DbyteArray(tables::carrySlots);
  for (int32_t i = 0; i < tables::carrySlots; ++i) padLetters->at(i) = tables::emptyPocket;
  colourTable = makeRow<DintArray>(tables::colourTable);
  hudOffsetX_ = -spriteTable->at(spriteHud)->at(2);
  objectChances = makeTable<DbyteArray2d, DbyteArray>(tables::objectChances);
  levelScores = new DintArray(tables::levelScoreCount);
  glyphWidths = makeRow<DbyteArray>(tables::glyphWidths);
  random = new qel::util::DRandom();
  pictureNames = buildPictureNames();
  pictureAreas = makeTable<DshortArray2d, DshortArray>(tables::pictureAreas);
  textCache = levelHashtable();
  storeSave = new DString("save");
  storeOption = new DString("option");
  storeWinner = new DString("winner");
  storePath = new DString("path");

  reportedPersons_ = new DVector();
  routeIndex = new DintArray(tables::personCount);
  resultValues = new DObjectArray(3);
}

void MainCanvas::releaseStatics() {
  for (DPtr<DObject>* slot : {&chosenPerson, &selectedPerson, &pendingScreen}) slot->release();
  spriteTable.release();
  mapPlaces.release();
  mapPoints.release();
  resShortRows.release();
  objectTypeTable.release();
  hotZones.release();
  keyCodeList.release();
  mapRoutes.release();
  mapLinks.release();
  itemTable.release();
  shopGrid.release();
  carrySlots.release();
  options.release();
  directionSteps.release();
  diagonalSteps.release();
  bounceOffsets.release();
  halfPhase.release();
  animationFrames.release();
  typeGroups.release();
  turnSteps.release();
  routeTable.release();
  objectFallbacks.release();
  levelTable.release();
  difficultyTable.release();
  alarmTable.release();
  levelCounters.release();
  levelTotals.release();
  colourTable.release();
  padLetters.release();
  objectChances.release();
  levelScores.release();
  glyphWidths.release();
  pictureAreas.release();
  pictureNames.release();
  for (DObjectArrayPtr* array : {&persons, &pictures, &resultValues}) array->release();
  for (DVectorPtr* list : {&bestResults, &savedIds, &levelList, &activePersons, &activeAtLevelStart, &reportedPersons_})
    list->release();
  for (DHashtablePtr* table : {&roomObjects, &bombs, &alarmLinks, &savedAlarmLinks, &savedBombs, &textCache})
    table->release();
  random.release();
  for (DStringPtr* name : {&storeSave, &storeOption, &storeWinner, &storePath}) name->release();
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
