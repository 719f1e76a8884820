#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DImage.h"

namespace nvx {

class Person;

// The map screen between levels (state 3): nine places the hand cursor
// glides between, and the shop grid in which items are bought for the
// chosen person and given back. Statics of MainCanvas; the places, routes
// and links are GameTables', the place and shop fields GameState's.
struct MapScreen {
  static constexpr int32_t placeJobMenu = 0;
  static constexpr int32_t placeBreakIn = 1;
  static constexpr int32_t placeLeader = 2;
  static constexpr int32_t placeFirstPerson = 3;
  static constexpr int32_t placeLastPerson = 6;
  static constexpr int32_t placePlanning = 7;
  static constexpr int32_t placeMapMenu = 8;
  static constexpr int32_t shopColumns = 6;
  static constexpr int32_t mapMusic = 14;
  static constexpr int16_t noMessage = -1;
  static constexpr int32_t briefingMessage = 9;
  static constexpr int32_t hintMessage = 2;

  // The hand cursor as drawn; it glides to cursorTargetX/Y.
  static const int32_t& cursorX;
  static const int32_t& cursorY;
  static const uint8_t& mapCursorArrived;
  static const uint8_t& mapCursorSettled;
  // A tapped spot is activated once the cursor has reached it.
  static inline uint8_t mapSpotPending = 0;
  static const int32_t& mapCycleCount;
  // Redraw the shop panel, or the chosen person, into backImage.
  static const uint8_t& shopRepaint;
  static const uint8_t& personRepaint;
  // The shop grid's first cell and the gaps between cells.
  static inline int32_t shopGridX = 0;
  static inline int32_t shopGridY = 0;
  static const int32_t& shopGapX;
  static const int32_t& shopGapY;
  // The cursor picture, looked up once: a missing one is not searched for
  // again at every paint.
  static const qel::lcdui::DImagePtr& handImage;
  static const uint8_t& handLookedUp;

  // State 3 with the map's pictures, its music, and no zones or held keys.
  static void enterMapScreen();
  static void paintMapScreen(const qel::lcdui::DGraphicsPtr& g);
  // The key in pendingKey; pendingKey is cleared in every case.
  static void updateMapScreen();
  // Direction 0 left, 1 right, 2 up, 3 down.
  static void moveCursor(int32_t direction);
  // The hand cursor with its tip at (x, y); the flag changes nothing here.
  static void paintCursor(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t flag);
  // Back from the shop grid to the places; a changed pocket erases the plan.
  static void leaveShop();
  // The shop grid for the chosen person, whose pockets become carrySlots.
  static void openShop();
  // The grid selection moved in a direction; -1 only refreshes it.
  static void moveGridSelection(int32_t direction);
  // Buys the item under the shop cursor for the chosen person or gives it
  // back; a refusal opens its notice.
  static void buyOrGiveBack();
  // The dialog of shop item k: what the item works on, or a bomb's time.
  static void showSpotDialog(int32_t k);
  // Clock-phase work: a pending result event, else one step of the glide.
  static void tickMapScreen();

  // Whether the person place (3 to 6) is offered: the person is free and
  // the level has them.
  static bool placeOpen(int32_t place);
  // The chosen person, null when none.
  static Person* chosen();
  // The cursor target of shop cell (column, row).
  static int32_t shopCellX(int32_t column);
  static int32_t shopCellY(int32_t row);

private:
  static void selectPlace();
  static void paintMap(const qel::lcdui::DGraphicsPtr& g);
  static void composeMap(const qel::lcdui::DGraphicsPtr& g);
  static void paintShop(const qel::lcdui::DGraphicsPtr& g);
  static void layOutShop();
  static void paintItemLine(const qel::lcdui::DGraphicsPtr& g, int32_t panelX, int32_t y, int32_t panelWidth);
  static void paintChosenPerson(const qel::lcdui::DGraphicsPtr& g);
  static void showResultEvent();
  static void glideCursor();
  static const qel::lcdui::DImagePtr& hand();
  friend struct DialogResults;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline int32_t cursorX_ = 0;
  static inline int32_t cursorY_ = 0;
  static inline uint8_t mapCursorArrived_ = 0;
  static inline uint8_t mapCursorSettled_ = 0;
  static inline int32_t mapCycleCount_ = 0;
  static inline uint8_t shopRepaint_ = 0;
  static inline uint8_t personRepaint_ = 0;
  static inline int32_t shopGapX_ = 0;
  static inline int32_t shopGapY_ = 0;
  static inline qel::lcdui::DImagePtr handImage_;
  static inline uint8_t handLookedUp_ = 0;
};

inline const int32_t& MapScreen::cursorX = cursorX_;
inline const int32_t& MapScreen::cursorY = cursorY_;
inline const uint8_t& MapScreen::mapCursorArrived = mapCursorArrived_;
inline const uint8_t& MapScreen::mapCursorSettled = mapCursorSettled_;
inline const int32_t& MapScreen::mapCycleCount = mapCycleCount_;
inline const uint8_t& MapScreen::shopRepaint = shopRepaint_;
inline const uint8_t& MapScreen::personRepaint = personRepaint_;
inline const int32_t& MapScreen::shopGapX = shopGapX_;
inline const int32_t& MapScreen::shopGapY = shopGapY_;
inline const qel::lcdui::DImagePtr& MapScreen::handImage = handImage_;
inline const uint8_t& MapScreen::handLookedUp = handLookedUp_;

}  // namespace nvx
