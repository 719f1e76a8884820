#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DPtr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "nvx/src/state/TableData.h"

namespace nvx {

// State 0: what the splash shows at each step, the start-up load the step
// driver runs at step 22, picture swapping between screens, and what the
// game does to its sounds at a pause and at shutdown. Statics of MainCanvas.
struct SplashScreen {
  static constexpr int32_t progressColour = 0xB2003E;
  static constexpr int32_t progressHeight = 4;
  static constexpr int32_t soundCount = tables::soundCount;
  static constexpr int32_t firstTune = tables::firstTune;
  static constexpr int32_t startEffectsVolume = 30;
  static constexpr int32_t startMusicVolume = 50;

  // Paints splashStep: the logos (steps 2, 3, 5), the loading bar (odd
  // steps 7 to 23, a tenth more of the width each time), the title (25).
  // Steps 0, the odd steps 7 to 23 and 25 move the step on.
  static void paintSplash(const qel::lcdui::DGraphicsPtr& g);
  // splashImage centred or at the top with backImage at the top right;
  // without splashImage a grey screen with backImage centred.
  static void drawSplashImage(const qel::lcdui::DGraphicsPtr& g, bool centred);

  // The sounds (switched off), the options (the defaults written when there
  // were none), whether a slot holds a saved game, the five persons, and
  // the message line for the current map place.
  static void startupLoad(const qel::lang::DObjectPtr& canvas);
  // The 18 sounds, loaded on first use; volumes 30 and 50; sound off.
  static void loadSounds();
  // Loads the pictures of a set and drops the others: 0 level play (4, 5
  // and 6), 1 planning (3), 2 the other screens (2). Nothing when the set's
  // first picture is there already, or for another set.
  static void swapPictures(int32_t set);

  // Remembers the first tune that plays (restarted after the pause), parks
  // the selection of a running level, and stops every sound.
  static void onPause();
  // State 255; the sounds released, the rate and info pictures and the
  // widget library's engine dropped.
  static void shutdown();
};

}  // namespace nvx
