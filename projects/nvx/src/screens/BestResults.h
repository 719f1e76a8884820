#pragma once

#include <cstdint>

#include "lang/DshortArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "util/DVector.h"

namespace nvx {

// The table of the five best results (state 4): its defaults, a qualifying
// result taking its row, the five-letter name entry, and the screen's
// painting and clock. bestResults holds {names: object array of five
// DshortArray rows of five glyphs, amounts: DintArray of five}, best first.
// Statics of MainCanvas.
struct BestResults {
  static constexpr int32_t resultRows = 5;
  static constexpr int32_t nameLength = 5;
  // Names are spelt with glyphs 0 to 52.
  static constexpr int32_t lastNameGlyph = 52;
  static constexpr int32_t firstDefaultName = 251;
  static constexpr int32_t newNameText = 207;
  static constexpr int32_t bestTitleText = 203;
  static constexpr int32_t letterCursorText = 256;
  static constexpr int32_t bestRowChars = 16;

  // The default table written to the "winner" store.
  static void resetBestResults();
  // The handler of transition 4: reads the table; with winnerRow >= 0 on
  // entry, a result of money above a row's amount takes that row and its
  // name becomes editable. Ends in state 4.
  static void enterBestResults();
  // The screen with winnerRow = row first: -1 only shows the table, 0 lets
  // a qualifying result take its row.
  static void showBestResults(int32_t row);
  // State 4's keys: up and down change the letter under the cursor (wrapping
  // through the 53 name glyphs), left and right move the cursor; the left
  // soft key stores an edited table and returns to the main menu.
  static void updateBestResults();
  // Twice a second, once no key came for over a cycle, the update runs
  // without a key.
  static void bestResultsClock();
  // The composed table from backImage, with the name being entered over it.
  static void paintBestResults(const qel::lcdui::DGraphicsPtr& g);

  // Names 251 to 255 with 100000, 50000, 30000, 20000 and 10000.
  static qel::util::DVectorPtr defaultBestResults();
  // The glyphs padded with spaces (glyph 0) or cut to nameLength.
  static qel::lang::DshortArrayPtr fitName(const qel::lang::DshortArrayPtr& glyphs);
  // Whether the table has five names of nameLength glyphs and five amounts.
  static bool isWholeTable(const qel::util::DVectorPtr& table);
  // Moves the rows from the first whose amount is below amount down one
  // (the last drops out) and puts name and amount there; the row, or -1
  // when no row is below amount.
  static int32_t insertBestResult(const qel::util::DVectorPtr& table, int32_t amount,
                                  const qel::lang::DshortArrayPtr& name);

private:
  static void composeBestResults();
  static int32_t bestRowY(int32_t row);
  static int32_t bestRowX();
};

}  // namespace nvx
