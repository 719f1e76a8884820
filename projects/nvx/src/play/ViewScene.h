#pragma once

#include <cstdint>
#include <string>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

class Person;

// The level-play screen and its view of the map, as statics of MainCanvas.
// The slow layer, the trail image, holds the cells, objects, alarm
// coverage, plan trails and the bottom bar and is rebuilt only while
// sceneDirty is set; the fast layer (persons, bombs and vehicle while
// running, the bar's live parts, the step clock, the touch controls) is
// painted over it every frame.
struct ViewScene {
  // Sprite sets of the level view.
  static constexpr int8_t tileSprite = 2;
  static constexpr int8_t runTileSprite = 0;
  static constexpr int8_t barSprite = 9;
  static constexpr int8_t barSpriteSelected = 9;
  static constexpr int8_t portraitFrameSprite = 12;
  static constexpr int8_t portraitSprite = 49;
  static constexpr int8_t gaugeSprite = 25;
  static constexpr int8_t slotSprite = 26;
  static constexpr int8_t itemSprite = 8;
  static constexpr int8_t clockSprite = 48;
  // The vehicle while planning; WorldRules::vehicleSprite is the running one.
  static constexpr int8_t planVehicleSprite = 46;
  static constexpr int8_t policeSprite = 14;
  static constexpr int8_t vehicleOverlayA1 = 20;
  static constexpr int8_t vehicleOverlayB1 = 21;
  static constexpr int8_t vehicleOverlayA0 = 22;
  static constexpr int8_t vehicleOverlayB0 = 23;
  static constexpr int8_t moneyIconSprite = 44;

  static constexpr int32_t planningBackground = 0x000000;
  static constexpr int32_t runningBackground = 0x999999;
  static constexpr int32_t clockAlarmColour = 0xFF0000;
  // Clock phases 7 to 11 of each cycle show the blinking parts.
  static constexpr int8_t blinkPhase = 7;

  // Height of the map area above the bottom bar, set with the visible cells.
  static const int32_t& mapAreaHeight;

  // One frame of level play; nothing before the trail image exists.
  static void paintLevel(const qel::lcdui::DGraphicsPtr& g);
  // Rebuilds the trail image when dirty, then draws it.
  static void paintScene(const qel::lcdui::DGraphicsPtr& g);
  // The scene and its touch zones are rebuilt at the next paint; during a
  // paint, at the one after as well.
  static void invalidateScene();
  // The trail image of the screen's size and the visible cell counts.
  static void makeTrailImage();

  // Moves the view (by cell, or by pixels when relative) on both axes; an
  // axis whose map fits the view keeps it centred. A change moves the
  // vehicle along and invalidates the scene.
  static void centerViewOn(int32_t column, int32_t row, bool center, bool forceCenter, bool relative);
  // Half a view: 2 up, 3 down, 4 left, 5 right.
  static void scrollView(int32_t direction);
  static void centerViewOnExit();
  // Element selectionIndex of the crew; outside it throws 0x05800001.
  static Person* selectedFromIndex();
  // While planning, a bomb due at the next step invalidates the scene.
  static void checkBombsDue();
  static void computeVisibleCells();

  // Painters of the frame.
  static void paintPersons(const qel::lcdui::DGraphicsPtr& g);
  static void paintBombs(const qel::lcdui::DGraphicsPtr& g);
  static void paintVehicle(const qel::lcdui::DGraphicsPtr& g);
  static void paintVehicleOverlay(const qel::lcdui::DGraphicsPtr& g);
  // The bottom bar; alternate draws the plain tile with a person selected.
  static void paintBar(const qel::lcdui::DGraphicsPtr& g, bool alternate);
  static void paintBarStatus(const qel::lcdui::DGraphicsPtr& g);
  static void paintStepClock(const qel::lcdui::DGraphicsPtr& g);
  static void paintPersonButtons(const qel::lcdui::DGraphicsPtr& g);
  static void paintScrollArrows(const qel::lcdui::DGraphicsPtr& g);

  // Steps as minutes, a colon and two-digit seconds: 65 is "1:05".
  static std::string stepClockText(int32_t steps);

private:
  static void paintWallEdges(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles);
  static void paintCells(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles);
  static void paintPlanTrails(int32_t x0, int32_t x1, int32_t y0, int32_t y1);
  static void paintPortrait(const qel::lcdui::DGraphicsPtr& g, const Person& p, bool registerZone);
  static void paintGaugeFill(const qel::lcdui::DGraphicsPtr& g, const Person& p, int32_t load);
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline int32_t mapAreaHeight_ = 0;
};

inline const int32_t& ViewScene::mapAreaHeight = mapAreaHeight_;

}  // namespace nvx
