#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.h"

namespace nvx {

// The game's state machine: paint, update and clock-phase dispatch by
// gameState, the splash and loading sequence, the deferred transitions and
// entering a dialog. What each screen draws and does is the work of its
// area. Statics of MainCanvas.
struct StateMachine {
  static constexpr uint8_t stateSplash = 0;
  static constexpr uint8_t stateLevel = 1;
  static constexpr uint8_t stateDialog = 2;
  static constexpr uint8_t stateMapScreen = 3;
  static constexpr uint8_t stateBestResults = 4;
  static constexpr uint8_t stateLanguage = 5;
  static constexpr uint8_t stateShutDown = 255;
  static constexpr int32_t waitBoxColour = 0xB2003E;
  static constexpr int32_t waitText = 130;
  // The splash step at which the loading is done and the title menus show.
  static constexpr int8_t titleMenusStep = 26;

  // The drawing context of backImage once splash step 18 made it.
  static const qel::lcdui::DGraphicsPtr& backGraphics;

  // One frame of the current state, then the message line and the wait
  // box. Nothing at all for a null context, while shut down or while
  // pictures are loading.
  static void paint(const qel::lcdui::DGraphicsPtr& g);
  // The key becomes pendingKey and the current state handles it.
  static void update(int32_t key);
  // One step of the splash and loading sequence (steps 1 to 26); the
  // splash painter moves step 0 and the odd steps 7 to 25 on.
  static void advanceSplash();
  // Runs the requested transition once a frame has shown the wait box;
  // an unknown request is dropped.
  static void runPendingTransition();
  // State 2 over the prepared dialog; a dialog over a dialog keeps the
  // state under the first.
  // Every change of gameState goes through here.
  static void enter(uint8_t state);
  static void enterDialog();
  // What follows the splash: the start-up question once, then the main
  // menu, or on a first run the information text.
  static void afterSplash();
  // Whether a notice may open now without cutting a flow short: the title
  // menus at rest (their main menu comes back after the notice), the map
  // screen or level play, with no transition requested.
  static bool readyForNotice();
  // While a transition is requested: the box with the wait text centred
  // on the view; drawing it arms the transition.
  static void paintWaitBox(const qel::lcdui::DGraphicsPtr& g);

private:
  static void splashKeys();
  static void layOutScreen();
  friend class NightvaultGame;
  // Storage of the fields only this class and its friends write; each
  // one's public name is a read-only reference to it, bound after the class.
  static inline qel::lcdui::DGraphicsPtr backGraphics_;
};

inline const qel::lcdui::DGraphicsPtr& StateMachine::backGraphics = backGraphics_;

}  // namespace nvx
