#pragma once

#include <cstdint>

namespace nvx {

// The game's menus, questions and messages, each filled into the window
// model and opened. Statics of MainCanvas.
struct GameDialogs {
  static constexpr int32_t mainMenuId = 22;
  static constexpr int32_t startQuestionId = 48;
  static constexpr int32_t infoId = 21;
  static constexpr int32_t soundOptionsId = 4;
  static constexpr int32_t bestResultsMenuId = 45;
  static constexpr int32_t gameMenuId = 14;
  static constexpr int32_t briefingId = 41;
  static constexpr int32_t hintId = 42;
  static constexpr int32_t levelTotalsId = 20;
  static constexpr int32_t teamId = 29;
  static constexpr int32_t mapMenuId = 3;
  static constexpr int32_t noticeId = 0;
  // The sounds the openers start: the menu music and the ticking.
  static constexpr int32_t titleMusic = 14;
  static constexpr int32_t hintTicking = 17;
  // The title "Notice" and the body of the notice that a save failed.
  static constexpr int16_t noticeTitle = 137;
  static constexpr int32_t saveFailedText = 303;

  // Dialog 22: New game, Options, Help, Info, Best results, About, the
  // info picture while infoImage is loaded, Exit. Closing a window back
  // into state 0 then shows it again.
  static void showMainMenu();
  // The main menu from any screen: the title state comes back under it, so
  // its result reaches the title menus.
  static void returnToMainMenu();
  // Dialog 48: play with sound?
  static void showStartQuestion();
  // Dialog 21: the information text, or the information picture.
  static void showInfoText();
  static void showInfoPicture();
  // Dialog 4: the sound switch and the two volumes in eighths.
  static void showSoundOptions();
  // Dialog 45: show or reset the best results (and the third entry while
  // bestResultsExtra is set).
  static void showBestResultsMenu();
  // Dialog 14: next level, and retry while retries are left outside
  // training.
  static void showGameMenu();
  // Dialog 41: the level's briefing with its time as minutes, tens and
  // seconds; the ticking starts unless it plays.
  static void showLevelBriefing();
  // Dialog 42, hint body text hint - 1 (hint + 289 with a touch screen) with
  // the picture (set, frame), none for set -1. Unless forced only once, and
  // only in training; the flag is stored with the options. On the map
  // screen every sound stops first and the ticking starts, unless it plays.
  // True when shown.
  static bool showHint(int32_t hint, int32_t set, int32_t frame, bool force);
  // Dialog 20: the level's offers with a price; nothing without one.
  static void showLevelTotals();
  // Dialog 29: the persons under arrest with their bail.
  static void showTeam();
  // Dialog 3: options, help, save the plan.
  static void showMapMenu();
  // Dialog 0: the game could not be saved; the owed notice is then shown.
  static void showSaveFailedNotice();
};

}  // namespace nvx
