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
  static inline qel::lang::DshortArray2dPtr spriteTable;
  static inline qel::lang::DintArray2dPtr mapPlaces;
  static inline qel::lang::DshortArray2dPtr mapPoints;
  // Tap rectangles of the map spots; rows exist only once "res.dat" made them.
  static inline qel::lang::DshortArray2dPtr resShortRows;
  static inline qel::lang::DintArray2dPtr objectTypeTable;
  // Touch zones {left, right, top, bottom} and the keys of zones 0 to 13.
  static inline qel::lang::DintArray2dPtr hotZones;
  static inline qel::lang::DintArrayPtr keyCodeList;
  static inline qel::lang::DbyteArray2dPtr mapRoutes;
  static inline qel::lang::DbyteArray2dPtr mapLinks;
  // Prices and weights of items 'h' to 's'.
  static inline qel::lang::DshortArray2dPtr itemTable;
  // The shop's cells, item codes, 0 empty.
  static inline qel::lang::DbyteArray2dPtr shopGrid;
  static inline qel::lang::DbyteArrayPtr carrySlots;
  // Entry 2 is a default; entries 7 to 15 the hint lines of map places 0 to 8.
  static inline qel::lang::DboolArrayPtr options;
  static inline qel::lang::DshortArray2dPtr directionSteps;
  static inline qel::lang::DshortArray2dPtr diagonalSteps;
  static inline qel::lang::DbyteArrayPtr bounceOffsets;
  static inline qel::lang::DshortArrayPtr halfPhase;
  static inline qel::lang::DshortArray2dPtr animationFrames;
  static inline qel::lang::DshortArray2dPtr typeGroups;
  static inline qel::lang::DbyteArray2dPtr turnSteps;
  // Per person id, three Path steps of the departure route.
  static inline qel::lang::DObjectArray2dPtr routeTable;
  static inline qel::lang::DbyteArray2dPtr objectFallbacks;
  static inline qel::lang::DshortArray2dPtr levelTable;
  // Per person id {capacity, share %, bail in thousands}.
  static inline qel::lang::DbyteArray2dPtr difficultyTable;
  // Per loot kind {value, weight}.
  static inline qel::lang::DshortArray2dPtr alarmTable;
  // Loot target (element 0) and loot value per kind of the level.
  static inline qel::lang::DintArrayPtr levelCounters;
  // Offer prices of the level (element k for offer k).
  static inline qel::lang::DintArrayPtr levelTotals;
  static inline qel::lang::DintArrayPtr colourTable;
  // The leader's pockets at set-up.
  static inline qel::lang::DbyteArrayPtr padLetters;
  // Work steps by room-object kind and item class.
  static inline qel::lang::DbyteArray2dPtr objectChances;
  static inline qel::lang::DintArrayPtr levelScores;
  static inline qel::lang::DbyteArrayPtr glyphWidths;
  // Outline shapes, rectangles in 1/128 of a cell.
  static inline qel::lang::DshortArray2dPtr pictureAreas;
  static inline qel::lang::DObjectArrayPtr pictureNames;

  // Persons by id, and the lists of the game.
  static inline qel::lang::DObjectArrayPtr persons;
  static inline qel::util::DVectorPtr bestResults;
  // Persons under arrest, and their copy at level set-up.
  static inline qel::util::DVectorPtr savedIds;
  static inline qel::util::DVectorPtr levelList;
  static inline qel::util::DVectorPtr activePersons;
  static inline qel::util::DVectorPtr activeAtLevelStart;

  // Tables of the level, keyed by cell (x << 8 | y).
  static inline qel::util::DHashtablePtr roomObjects;
  static inline qel::util::DHashtablePtr bombs;
  static inline qel::util::DHashtablePtr alarmLinks;
  static inline qel::util::DHashtablePtr savedAlarmLinks;
  static inline qel::util::DHashtablePtr savedBombs;

  static inline qel::util::DHashtablePtr textCache;
  static inline qel::util::DRandomPtr random;

  static inline qel::lang::DStringPtr storeSave;
  static inline qel::lang::DStringPtr storeOption;
  static inline qel::lang::DStringPtr storeWinner;
  static inline qel::lang::DStringPtr storePath;
};

}  // namespace nvx
