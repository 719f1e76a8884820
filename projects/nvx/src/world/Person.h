#pragma once

#include <cstdint>

#include "lang/DObject.h"
#include "lang/DPtr.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DVector.h"

namespace nvx {

// One member of the crew on the level map: cell and facing, the action of
// the current step, the recorded plan, the object worked on, three pockets
// of items and the loot taken.
class Person : public qel::lang::DObject {
public:
  static constexpr int8_t emptyPocket = 't';
  static constexpr int32_t lastPlanStep = 599;
  // Person id's name is language text nameTextFirst + id.
  static constexpr int32_t nameTextFirst = 41;

  explicit Person(int32_t id);

  // The person under control in level play, or null.
  static Person* selected();

  // Queries.
  bool isWorking() const;
  // Null when the plan is empty or i is past its end; a negative i throws.
  Path* getStep(int32_t i) const;
  Path* getCurrentStep() const { return getStep(pathIndex); }
  // The cell in front into targetX/targetY; true when it lies on the map.
  bool computeTarget() const;
  int8_t getPocketsWeight() const;
  void getScreenPosition(int32_t& outX, int32_t& outY) const;

  // The plan.
  void resetPlan();
  void resetToStart();
  void recordSteps(int32_t n);
  void playStep(bool takePosition);
  void skipRepeats(int32_t a, int32_t d);
  void undoStep();
  void undoAll();
  // Steering from the frame's key (or the held one): turns the person and
  // answers whether a walk starts; facing an object that blocks, a walker
  // stops and a standing person is offered the object's use.
  bool control();

  // The current action on target for n steps. Planning records the steps
  // and stamps the object (or plans a bomb); running plants a bomb only.
  void useObject(int32_t n, bool busyFlag);
  // A bomb of the pocket in use on this cell, now the target and in bombs.
  RoomObjectPtr plantBomb(bool planned);

  // Loot and pockets.
  bool takeLoot();
  void emptyPockets(bool credit);
  void clearLoot();
  int8_t updateLoad();

  void paint(const qel::lcdui::DGraphicsPtr& g);

  int32_t id;
  int8_t x = 0, y = 0;
  int32_t direction = 0;
  int8_t action = 0;
  int32_t stepTick = 0;
  int8_t busy = 0;
  int16_t stunSteps = 0;
  int8_t load = 0;
  int8_t planLoad = 0;
  int16_t pathIndex = 0;
  qel::util::DVectorPtr steps;
  RoomObjectPtr target;
  qel::lang::DshortArrayPtr loot;
  qel::lang::DbyteArrayPtr pockets;
  int32_t pocketSlot = 0;

private:
  // The notice when the target's loot will not fit the planned load.
  void checkPlannedLoad();
  // The pixel offset of a walk in progress or of the reach into a worked object.
  void paintOffset(int32_t& dx, int32_t& dy) const;
  void paintPlanning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py);
  void paintRunning(const qel::lcdui::DGraphicsPtr& g, int32_t px, int32_t py);
  int32_t runningFrame() const;
};

using PersonPtr = qel::lang::DPtr<Person>;

}  // namespace nvx
