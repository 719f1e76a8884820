#pragma once

#include <cstdint>

namespace nvx {

class Person;
class RoomObject;

// What a person can do with the room object in front, and the commands of
// level play's windows, as statics of MainCanvas.
struct LevelCommands {
  // Results of itemAction besides the actions 4 (work) and 5 (plant).
  static constexpr int32_t itemDoesNotApply = -1;
  static constexpr int32_t wrongSide = -2;

  // Dialog 8 for the object in front of p: "take" when it counts as open,
  // else the items in p's pockets; nothing for an object that cannot be used.
  static void offerObjectUse(Person& p);
  // 4 (work) or 5 (plant) for an item of itemClass on p's target, -1 when the
  // item does not apply, -2 when p stands on a closed side.
  static int32_t itemAction(const Person& p, int32_t itemClass);
  // Whether the object counts as open (worked open in running, stamped open
  // by stepIndex in planning) and is a loot container.
  static bool showsOpen(const RoomObject& o);

  // The answer of dialog 8 (the chosen entry n), of dialog 2 (the command's
  // text id) and of dialog 17 (leave with the whole crew).
  static void useChosenEntry(int32_t n);
  static void runPersonCommand(int32_t command);
  static void leaveWithCrew();
  // Dialogs 36 and 39 (a failed level): the retry, or the game is over.
  static void failLevel();
  // Dialog 35: the level again as it was at the start of the run.
  static void retryFailedLevel();
  // Dialog 32: the saved game is deleted, the best results follow.
  static void endGame();

private:
  static void useItem(Person& p, int32_t slot);
  static void notice(int32_t textId);
};

}  // namespace nvx
