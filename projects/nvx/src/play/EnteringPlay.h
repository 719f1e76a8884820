#pragma once

#include <cstdint>

namespace nvx {

// Entering level play, as statics of MainCanvas: the run of the recorded
// plans (transition 1) and planning (transition 2), both in state 1, and
// the sprite tables fitted to small person and object sheets.
struct EnteringPlay {
  static constexpr int32_t planMusic = 15;
  static constexpr int32_t arrivalMusic = 17;
  static constexpr int8_t personSheet = 6;
  static constexpr int8_t objectSheet = 5;

  // Sets the loaded level up for the run: snapshots for a retry, the
  // leader in the crew outside the training (and at its last level), the
  // vehicle arriving. A training level without crew only opens notice 167.
  static void setUpLevel();
  // Planning: the leader leaves the crew, the view centres on the exit.
  static void enterPlanning();
  // Once per run: animation rows and object kinds whose first frame lies
  // past the sheet's last frame take their fallbacks.
  static void fitSpriteTables();

private:
  static void fitPersonAnimations(int32_t frames);
  static void fitObjectKinds(int32_t frames);
};

}  // namespace nvx
