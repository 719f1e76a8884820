#pragma once

#include "lang/DObjectArray.h"
#include "lang/DObjectArray2d.h"
#include "lang/DString.h"
#include "lang/DboolArray.h"
#include "lang/DbyteArray.h"
#include "lang/DbyteArray2d.h"
#include "lang/DintArray.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray.h"
#include "lang/DshortArray2d.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"
#include "util/DVector.h"

namespace nvx {

// The tables and lists initStatics builds (values in state/TableData.h).
// The two-dimensional ones are arrays of rows; rows may differ in length.
struct GameTables {
  static const qel::lang::DshortArray2dPtr& spriteTable;
  static const qel::lang::DintArray2dPtr& mapPlaces;
  static const qel::lang::DshortArray2dPtr& mapPoints;
  // Tap rectangles of the map spots; rows exist only once "res.dat" made them.
  static const qel::lang::DshortArray2dPtr& resShortRows;
  static const qel::lang::DintArray2dPtr& objectTypeTable;
  // Touch zones {left, right, top, bottom} and the keys of zones 0 to 13.
  static const qel::lang::DintArray2dPtr& hotZones;
  static const qel::lang::DintArrayPtr& keyCodeList;
  static const qel::lang::DbyteArray2dPtr& mapRoutes;
  static const qel::lang::DbyteArray2dPtr& mapLinks;
  // Prices and weights of items 'h' to 's'.
  static const qel::lang::DshortArray2dPtr& itemTable;
  // The shop's cells, item codes, 0 empty.
  static const qel::lang::DbyteArray2dPtr& shopGrid;
  static const qel::lang::DbyteArrayPtr& carrySlots;
  // Entry 2 is a default; entries 7 to 15 the hint lines of map places 0 to 8.
  static const qel::lang::DboolArrayPtr& options;
  static const qel::lang::DshortArray2dPtr& directionSteps;
  static const qel::lang::DshortArray2dPtr& diagonalSteps;
  static const qel::lang::DbyteArrayPtr& bounceOffsets;
  static const qel::lang::DshortArrayPtr& halfPhase;
  static const qel::lang::DshortArray2dPtr& animationFrames;
  static const qel::lang::DshortArray2dPtr& typeGroups;
  static const qel::lang::DbyteArray2dPtr& turnSteps;
  // Per person id, three Path steps of the departure route.
  static const qel::lang::DObjectArray2dPtr& routeTable;
  static const qel::lang::DbyteArray2dPtr& objectFallbacks;
  static const qel::lang::DshortArray2dPtr& levelTable;
  // Per person id {capacity, share %, bail in thousands}.
  static const qel::lang::DbyteArray2dPtr& difficultyTable;
  // Per loot kind {value, weight}.
  static const qel::lang::DshortArray2dPtr& alarmTable;
  // Loot target (element 0) and loot value per kind of the level.
  static inline qel::lang::DintArrayPtr levelCounters;
  // Offer prices of the level (element k for offer k).
  static inline qel::lang::DintArrayPtr levelTotals;
  static const qel::lang::DintArrayPtr& colourTable;
  // The leader's pockets at set-up.
  static const qel::lang::DbyteArrayPtr& padLetters;
  // Work steps by room-object kind and item class.
  static const qel::lang::DbyteArray2dPtr& objectChances;
  static const qel::lang::DintArrayPtr& levelScores;
  static const qel::lang::DbyteArrayPtr& glyphWidths;
  // Outline shapes, rectangles in 1/128 of a cell.
  static const qel::lang::DshortArray2dPtr& pictureAreas;
  static const qel::lang::DObjectArrayPtr& pictureNames;

  // Persons by id, and the lists of the game.
  static const qel::lang::DObjectArrayPtr& persons;
  static inline qel::util::DVectorPtr bestResults;
  // Persons under arrest, and their copy at level set-up.
  static const qel::util::DVectorPtr& savedIds;
  static const qel::util::DVectorPtr& levelList;
  static const qel::util::DVectorPtr& activePersons;
  static const qel::util::DVectorPtr& activeAtLevelStart;

  // Tables of the level, keyed by cell (x << 8 | y).
  static const qel::util::DHashtablePtr& roomObjects;
  static const qel::util::DHashtablePtr& bombs;
  static const qel::util::DHashtablePtr& alarmLinks;
  static const qel::util::DHashtablePtr& savedAlarmLinks;
  static const qel::util::DHashtablePtr& savedBombs;

  static const qel::util::DHashtablePtr& textCache;
  static const qel::util::DRandomPtr& random;

  static const qel::lang::DStringPtr& storeSave;
  static const qel::lang::DStringPtr& storeOption;
  static const qel::lang::DStringPtr& storeWinner;
  static const qel::lang::DStringPtr& storePath;

private:
  friend class MainCanvas;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline qel::lang::DshortArray2dPtr spriteTable_;
  static inline qel::lang::DintArray2dPtr mapPlaces_;
  static inline qel::lang::DshortArray2dPtr mapPoints_;
  static inline qel::lang::DshortArray2dPtr resShortRows_;
  static inline qel::lang::DintArray2dPtr objectTypeTable_;
  static inline qel::lang::DintArray2dPtr hotZones_;
  static inline qel::lang::DintArrayPtr keyCodeList_;
  static inline qel::lang::DbyteArray2dPtr mapRoutes_;
  static inline qel::lang::DbyteArray2dPtr mapLinks_;
  static inline qel::lang::DshortArray2dPtr itemTable_;
  static inline qel::lang::DbyteArray2dPtr shopGrid_;
  static inline qel::lang::DbyteArrayPtr carrySlots_;
  static inline qel::lang::DboolArrayPtr options_;
  static inline qel::lang::DshortArray2dPtr directionSteps_;
  static inline qel::lang::DshortArray2dPtr diagonalSteps_;
  static inline qel::lang::DbyteArrayPtr bounceOffsets_;
  static inline qel::lang::DshortArrayPtr halfPhase_;
  static inline qel::lang::DshortArray2dPtr animationFrames_;
  static inline qel::lang::DshortArray2dPtr typeGroups_;
  static inline qel::lang::DbyteArray2dPtr turnSteps_;
  static inline qel::lang::DObjectArray2dPtr routeTable_;
  static inline qel::lang::DbyteArray2dPtr objectFallbacks_;
  static inline qel::lang::DshortArray2dPtr levelTable_;
  static inline qel::lang::DbyteArray2dPtr difficultyTable_;
  static inline qel::lang::DshortArray2dPtr alarmTable_;
  static inline qel::lang::DintArrayPtr colourTable_;
  static inline qel::lang::DbyteArrayPtr padLetters_;
  static inline qel::lang::DbyteArray2dPtr objectChances_;
  static inline qel::lang::DintArrayPtr levelScores_;
  static inline qel::lang::DbyteArrayPtr glyphWidths_;
  static inline qel::lang::DshortArray2dPtr pictureAreas_;
  static inline qel::lang::DObjectArrayPtr pictureNames_;
  static inline qel::lang::DObjectArrayPtr persons_;
  static inline qel::util::DVectorPtr savedIds_;
  static inline qel::util::DVectorPtr levelList_;
  static inline qel::util::DVectorPtr activePersons_;
  static inline qel::util::DVectorPtr activeAtLevelStart_;
  static inline qel::util::DHashtablePtr roomObjects_;
  static inline qel::util::DHashtablePtr bombs_;
  static inline qel::util::DHashtablePtr alarmLinks_;
  static inline qel::util::DHashtablePtr savedAlarmLinks_;
  static inline qel::util::DHashtablePtr savedBombs_;
  static inline qel::util::DHashtablePtr textCache_;
  static inline qel::util::DRandomPtr random_;
  static inline qel::lang::DStringPtr storeSave_;
  static inline qel::lang::DStringPtr storeOption_;
  static inline qel::lang::DStringPtr storeWinner_;
  static inline qel::lang::DStringPtr storePath_;
};

inline const qel::lang::DshortArray2dPtr& GameTables::spriteTable = spriteTable_;
inline const qel::lang::DintArray2dPtr& GameTables::mapPlaces = mapPlaces_;
inline const qel::lang::DshortArray2dPtr& GameTables::mapPoints = mapPoints_;
inline const qel::lang::DshortArray2dPtr& GameTables::resShortRows = resShortRows_;
inline const qel::lang::DintArray2dPtr& GameTables::objectTypeTable = objectTypeTable_;
inline const qel::lang::DintArray2dPtr& GameTables::hotZones = hotZones_;
inline const qel::lang::DintArrayPtr& GameTables::keyCodeList = keyCodeList_;
inline const qel::lang::DbyteArray2dPtr& GameTables::mapRoutes = mapRoutes_;
inline const qel::lang::DbyteArray2dPtr& GameTables::mapLinks = mapLinks_;
inline const qel::lang::DshortArray2dPtr& GameTables::itemTable = itemTable_;
inline const qel::lang::DbyteArray2dPtr& GameTables::shopGrid = shopGrid_;
inline const qel::lang::DbyteArrayPtr& GameTables::carrySlots = carrySlots_;
inline const qel::lang::DboolArrayPtr& GameTables::options = options_;
inline const qel::lang::DshortArray2dPtr& GameTables::directionSteps = directionSteps_;
inline const qel::lang::DshortArray2dPtr& GameTables::diagonalSteps = diagonalSteps_;
inline const qel::lang::DbyteArrayPtr& GameTables::bounceOffsets = bounceOffsets_;
inline const qel::lang::DshortArrayPtr& GameTables::halfPhase = halfPhase_;
inline const qel::lang::DshortArray2dPtr& GameTables::animationFrames = animationFrames_;
inline const qel::lang::DshortArray2dPtr& GameTables::typeGroups = typeGroups_;
inline const qel::lang::DbyteArray2dPtr& GameTables::turnSteps = turnSteps_;
inline const qel::lang::DObjectArray2dPtr& GameTables::routeTable = routeTable_;
inline const qel::lang::DbyteArray2dPtr& GameTables::objectFallbacks = objectFallbacks_;
inline const qel::lang::DshortArray2dPtr& GameTables::levelTable = levelTable_;
inline const qel::lang::DbyteArray2dPtr& GameTables::difficultyTable = difficultyTable_;
inline const qel::lang::DshortArray2dPtr& GameTables::alarmTable = alarmTable_;
inline const qel::lang::DintArrayPtr& GameTables::colourTable = colourTable_;
inline const qel::lang::DbyteArrayPtr& GameTables::padLetters = padLetters_;
inline const qel::lang::DbyteArray2dPtr& GameTables::objectChances = objectChances_;
inline const qel::lang::DintArrayPtr& GameTables::levelScores = levelScores_;
inline const qel::lang::DbyteArrayPtr& GameTables::glyphWidths = glyphWidths_;
inline const qel::lang::DshortArray2dPtr& GameTables::pictureAreas = pictureAreas_;
inline const qel::lang::DObjectArrayPtr& GameTables::pictureNames = pictureNames_;
inline const qel::lang::DObjectArrayPtr& GameTables::persons = persons_;
inline const qel::util::DVectorPtr& GameTables::savedIds = savedIds_;
inline const qel::util::DVectorPtr& GameTables::levelList = levelList_;
inline const qel::util::DVectorPtr& GameTables::activePersons = activePersons_;
inline const qel::util::DVectorPtr& GameTables::activeAtLevelStart = activeAtLevelStart_;
inline const qel::util::DHashtablePtr& GameTables::roomObjects = roomObjects_;
inline const qel::util::DHashtablePtr& GameTables::bombs = bombs_;
inline const qel::util::DHashtablePtr& GameTables::alarmLinks = alarmLinks_;
inline const qel::util::DHashtablePtr& GameTables::savedAlarmLinks = savedAlarmLinks_;
inline const qel::util::DHashtablePtr& GameTables::savedBombs = savedBombs_;
inline const qel::util::DHashtablePtr& GameTables::textCache = textCache_;
inline const qel::util::DRandomPtr& GameTables::random = random_;
inline const qel::lang::DStringPtr& GameTables::storeSave = storeSave_;
inline const qel::lang::DStringPtr& GameTables::storeOption = storeOption_;
inline const qel::lang::DStringPtr& GameTables::storeWinner = storeWinner_;
inline const qel::lang::DStringPtr& GameTables::storePath = storePath_;

}  // namespace nvx
