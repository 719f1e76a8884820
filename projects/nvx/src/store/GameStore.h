#pragma once

#include <cstdint>

#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "util/DVector.h"

namespace nvx {

// The game's record stores, as statics of MainCanvas: the saved game of a
// slot ("save" + slot: record 1 the game, record 2 the retries left), the
// options and hint flags ("option"), the best results ("winner") and the
// level in progress ("path"). Numbers are big-endian. Failures of the
// framework are caught: a missing store leaves the game's values as they
// are, and a record that is short, long or holds values the game never
// writes is not used (and stays stored until the game writes it again). A
// save that cannot be written leaves the stored records as they were and is
// reported (SaveFailures); the game goes on.
struct GameStore {
  static constexpr int32_t bestResultRows = 5;
  static constexpr int32_t bestNameLength = 5;
  // Five names of five 16-bit glyphs and five 32-bit scores take 70 bytes;
  // the record is 90, the rest zero. A 70-byte record reads as well.
  static constexpr int32_t bestResultsDataLength = bestResultRows * bestNameLength * 2 + bestResultRows * 4;
  static constexpr int32_t bestResultsRecordLength = 90;

  // Saved games. Both records of the slot change together: a write cut
  // short leaves the old pair or the new one (StoreRecords::putPair).
  // False when the game could not be saved.
  static bool saveGame();
  // The slot's game: difficulty, level (at least 1; the level is loaded
  // unless it is the current one, whose bombs and stamps are cleared
  // instead), money, persons in jail, retries left.
  static void loadGame();
  static void saveSlotCounter();
  // Deletes the slot's store; saveExists = 0 when there was one.
  static void deleteSave();
  // True when slot's store holds a saved game that loadGame can read.
  static bool hasSave(int32_t slot);

  // Options: the hint flags and the sound manager's two volumes; false when
  // the record could not be written.
  static bool saveOptions();
  // optionsMissing stays 1 only when there is no option record at all.
  static void loadOptions();

  // Best results: names row by row (each padded with glyph 0 or cut to five
  // glyphs), then the scores.
  static void saveBestResults(const qel::lang::DObjectArrayPtr& names, const qel::lang::DintArrayPtr& scores);
  // [names (5 x 5 DshortArray2d), scores (DintArray of 5)], or an empty
  // vector when there is no usable record.
  static qel::util::DVectorPtr loadBestResults();

  // The level in progress. The new record replaces the stored one only once
  // it is complete.
  static void saveLevelState();
  // Restores the stored level in progress when it belongs to the current
  // level; one of another level leaves everything as it is, and a record
  // that is missing or damaged gives the saved game instead with every
  // person reset.
  static void loadLevelState();
  static void deleteLevelInProgress();
};

}  // namespace nvx
