#pragma once

#include <cstdint>

namespace nvx {

// Starting a level, a new game, a retry and the next level, as statics of
// MainCanvas. Levels 1 to 6 are the training, 7 to 26 the game; every start
// asks for the map screen (transition 3) and leaves gameState alone.
struct LevelStart {
  static constexpr int8_t firstTrainingLevel = 1;
  static constexpr int8_t lastTrainingLevel = 6;
  static constexpr int8_t firstGameLevel = 7;
  static constexpr int8_t lastLevel = 26;
  static constexpr int32_t trainingMoney = 50;
  static constexpr int32_t gameMoney = 4000;
  static constexpr int8_t retriesPerLevel = 3;
  // Map messages: training begins, training done, the game completed.
  static constexpr int16_t trainingStartMessage = 9;
  static constexpr int16_t gameCompletedMessage = 164;
  static constexpr int16_t trainingDoneMessage = 165;

  // Loads level n. Past the last level only the completion message is set:
  // the current level and its data stay. The first level of the training
  // or of the game empties the crew and the jailed and resets every person.
  static void startLevel(int32_t n);
  // A new game of the chosen difficulty from its first level, saved over
  // the old one, which stays until the new save is complete (and is deleted
  // when no level starts).
  static void restartGame();
  // The current level again, with the money, crew, jailed, the leader's
  // pockets, the police time, the planned stamps and bombs, the loot and
  // the offers bought it had when its run was set up; the retries record is
  // rewritten.
  static void retryLevel();
  // The level after the current one, with an empty crew and empty pockets;
  // the game is saved, unless it is complete.
  static void nextLevel();

private:
  // startLevel; a retry keeps the crew, the jailed and the persons of the
  // episode's first level as it restored them.
  static void beginLevel(int32_t n, bool newEpisodeResets);
};

}  // namespace nvx
