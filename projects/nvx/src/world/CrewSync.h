#pragma once

#include <cstdint>

namespace nvx {

class Person;

// What the world asks of plan recording: after a step is recorded for one
// person, the rest of the crew is put where its plans have it at the new
// step. Level play's key handling registers the one implementation; tests
// register a recorder.
class CrewSync {
public:
  virtual ~CrewSync() = default;
  virtual void syncCrewToStep(Person& recorded, bool busy) = 0;

  // The registered one; null unregisters. Without one the crew stays put.
  static void install(CrewSync* sync);
  static void sync(Person& recorded, bool busy);

private:
  static CrewSync* sync_;
};

}  // namespace nvx
