#pragma once

namespace nvx {

// Where a closed window's result goes: the handler of the game state that
// opened it. Statics of MainCanvas.
struct DialogResults {
  // Called by the window's key handling once its result is set.
  static void dispatchDialogResult();
  // The handlers of the title menus (state 0), level play (state 1) and the
  // map screen (state 3); true when the handler has acted.
  static bool titleDialogResult();
  static bool levelDialogResult();
  static bool mapDialogResult();
};

}  // namespace nvx
