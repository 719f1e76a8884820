#pragma once

#include <cstdint>

namespace nvx {

class Person;

// The keys of level play and the recording of plans, as statics of
// MainCanvas. While planning, the selected person's steps are recorded at
// stepIndex and the rest of the crew is shown where its plans have it then;
// while running, the keys steer the leader live.
struct LevelKeys {
  static constexpr uint8_t noSelection = 255;
  // No walk, wait or object action may end beyond this step.
  static constexpr int32_t planSteps = 600;

  // The frame's key (pendingKey) in level play.
  static void handleLevelKeys();
  // Once per clock tick before the world tick: the held wait and undo keys
  // repeat at clock phases 0, 3, 6 and 9 once clockCycle has counted to 3.
  static void planKeys();
  // index -1 cycles to the next person of the crew.
  static void selectPerson(int32_t index);
  // Puts every other person of the crew where its plan has it at stepIndex.
  static void syncCrewToStep(Person& recorded, bool busy);
  // Dialog 2: depart and drop the items while running; back to the map and
  // erase the plan while planning.
  static void openPersonMenu();

private:
  static void recordWait(Person& p);
  static void undoLastStep();
  static void listUsableItems(Person& p);
};

}  // namespace nvx
