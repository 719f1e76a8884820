#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// What the state machine and the game's entry ask of the areas that draw
// and run each screen: the splash painter, start-up loading and shutdown,
// level play, the window model, the map screen, the best results, the
// language screen, the message line, the pointer and the level store.
// Those areas register the one implementation; tests register a recorder.
// Without one, these parts of a frame do nothing.
class GameScreens {
public:
  virtual ~GameScreens() = default;

  // Painters of the states, and the overlays drawn over them.
  virtual void paintSplash(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintLevel(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintDialog(const qel::lcdui::DGraphicsPtr& back, const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintMapScreen(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintBestResults(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintLanguageScreen(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintHintOverlay(const qel::lcdui::DGraphicsPtr& g) = 0;
  virtual void paintTicker(const qel::lcdui::DGraphicsPtr& g) = 0;

  // Key handlers of the states; the key is in pendingKey.
  virtual void levelKeys() = 0;
  virtual void levelLogic() = 0;
  virtual void dialogKeys() = 0;
  virtual void updateMapScreen() = 0;
  virtual void updateBestResults() = 0;
  virtual void updateLanguageScreen() = 0;
  virtual void handlePointer(int32_t x, int32_t y) = 0;

  // Work at a change of clock phase.
  virtual void worldSteps() = 0;
  virtual void tickMapScreen() = 0;
  virtual void tickBestResults() = 0;
  virtual void tickTicker() = 0;

  // The language screen laid out for the languages of the list.
  virtual void setUpLanguageScreen() = 0;
  // Splash steps 18 and 22.
  virtual void initMapScale() = 0;
  virtual void loadAtStartUp() = 0;

  // Targets of the deferred transitions 1 to 4.
  virtual void setUpLevel() = 0;
  virtual void enterPlanning() = 0;
  virtual void enterMapScreen() = 0;
  virtual void enterBestResults() = 0;

  // The window model: laying out the prepared window, and the windows that
  // follow the splash (the start-up question, the main menu, and the
  // first-run information with the best results reset to their defaults).
  virtual void layoutDialog() = 0;
  virtual void openStartUpDialog() = 0;
  virtual void openMainMenu() = 0;
  virtual void openFirstRunInfo() = 0;

  // The application pauses, keeps the level in progress, ends.
  virtual void onPause() = 0;
  virtual void saveLevelState() = 0;
  virtual void shutdown() = 0;

  // The registered screens; null unregisters.
  static void install(GameScreens* screens) { screens_ = screens; }
  static GameScreens* current() { return screens_; }

private:
  static inline GameScreens* screens_ = nullptr;
};

}  // namespace nvx
