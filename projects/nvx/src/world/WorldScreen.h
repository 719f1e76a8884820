#pragma once

#include <cstdint>

#include "lang/DbyteArray.h"

namespace nvx {

// What the world asks of the screen while a level plays: its notices (text
// windows), the view's position, scene refreshes and training hints. The game's window model and level
// view register the one implementation; tests register a recorder.
class WorldScreen {
public:
  virtual ~WorldScreen() = default;
  // Window dialogId showing text textId, with the title picture (null for
  // none), the title text and one soft key, or two when twoKeys.
  virtual void openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture,
                          int32_t titleTextId, bool twoKeys) = 0;
  virtual void centerViewOnExit() = 0;
  // Turns the view's page when the cell nears its edge.
  virtual void keepCellInView(int32_t x, int32_t y) = 0;
  virtual void rebuildScene() = 0;
  // The one-time training hint; nothing outside the training episode.
  virtual void showTrainingHint(int32_t hint) = 0;

  // The registered screen; null unregisters. Without one, nothing is shown.
  static void install(WorldScreen* screen);
  static void openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture,
                         int32_t titleTextId);
  static void openQuestion(int32_t dialogId, int32_t textId, int32_t titleTextId);
  static void jumpToExit();
  static void keepInView(int32_t x, int32_t y);
  static void invalidateScene();
  static void showHint(int32_t hint);

private:
  static WorldScreen* screen_;
};

}  // namespace nvx
