#include <gtest/gtest.h>
#include <iostream>
#include <map>

#include "PlanFixture.h"
#include "nvx/src/play/Commands.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"
#include "util/DEnumeration.h"

namespace nvx {
namespace {

const char* const kindNames[RoomObject::kindCount] = {
    "safe", "door",     "steel door", "cabinet",      "card locker", "crate",   "alarm box", "desk",  "locker", "bomb",
    "box",  "wardrobe", "wall safe",  "wall cabinet", "case",        "counter", "table",     "plant", "sofa",   "shelf",
    "rug",  "pillar",   "chair",      "stool",        "lamp",        "mat",     "drawer",    "till",  "statue"};

// What a scripted plan did to one object of a kind.
struct Outcome {
  int level = 0;
  bool offered = false, opened = false;
  int loot = 0;
  std::string item;
};

// Each object kind of the demo levels, planned through the level's commands
// by one person standing at an open side (work it with the quickest item
// that is no bomb, then take what it holds) and run.
class DemoKindsTest : public PlanFixture {
protected:
  void SetUp() override {
    PlanFixture::SetUp();
    GameState::difficulty = 0;
  }

  // The first open side of o with floor to stand on, or false.
  static bool standingCell(const RoomObject& o, int& x, int& y, int& facing) {
    for (int d = 0; d < 4; ++d) {
      if (!(o.flags() >> d & 1)) continue;
      const int s = (o.facing + d) % 4;
      x = o.x + GameTables::directionSteps[0][s];
      y = o.y + GameTables::directionSteps[1][s];
      if (x < 0 || y < 0 || x >= WorldState::mapWidth || y >= WorldState::mapHeight) continue;
      if (WorldState::grid[x][y] < 13 || GameTables::roomObjects->get(WorldRules::cellKey(x, y))) continue;
      facing = (s + 2) % 4;
      return true;
    }
    return false;
  }

  // The item class with the fewest work steps on the kind, bombs last; -1 none.
  static int quickestItem(int kind) {
    const auto& row = GameTables::objectChances[kind];
    int best = -1;
    for (int c = 0; c < row->length(); ++c) {
      if (row[c] <= 0) continue;
      const bool bomb = c == 9 || c == 10;
      const bool bestIsBomb = best == 9 || best == 10;
      if (best < 0 || (bestIsBomb && !bomb) || (bomb == bestIsBomb && row[c] < row[best])) best = c;
    }
    return best;
  }

  Outcome play(int level, RoomObject& o) {
    Outcome out;
    out.level = level;
    int x, y, facing;
    if (!standingCell(o, x, y, facing)) return out;
    const int item = quickestItem(o.type);
    GameTables::activePersons->removeAllElements();
    person(1)->resetPlan();
    Person* p = join(1, x, y, item < 0 ? "ttt" : std::string(1, static_cast<char>(item + 104)).append("tt").c_str());
    out.item = item < 0 ? "none" : std::string(1, static_cast<char>(item + 104));
    p->loot = new qel::lang::DshortArray(6);
    nvtest::writable(GameState::skipWorldLogic) = 0;
    WorldState::stepIndex = 0;
    GameState::selectionIndex = 255;
    LevelKeys::selectPerson(0);
    p->direction = facing;
    nvtest::writable(DialogWindow::dialogId) = 255;
    LevelCommands::offerObjectUse(*p);
    out.offered = DialogWindow::dialogId == 8;
    if (!out.offered) return out;
    answerIndex(0);
    nvtest::writable(DialogWindow::dialogId) = 255;
    LevelCommands::offerObjectUse(*p);
    if (DialogWindow::dialogId == 8 && itemIds() == std::vector<int>{119}) answerIndex(0);

    nvtest::writable(GameState::skipWorldLogic) = 1;
    p->resetToStart();
    WorldRules::resetRoomObjects(false);
    GameTables::bombs->clear();
    WorldState::stepIndex = 0;
    const int ticks = (p->steps->size() + 4) * 12;
    for (int i = 0; i < ticks && WorldState::phase == 0; ++i) tick();
    out.opened = o.state[0] < 1;
    for (int k = 1; k <= 5; ++k) out.loot += p->loot[k];
    return out;
  }
};

TEST_F(DemoKindsTest, EveryKindOnTheDemoLevelsBehavesByItsKind) {
  std::map<int, Outcome> byKind;
  const int levels = static_cast<int>(nvtest::demoData().levels().size());
  for (int level = 1; level <= levels; ++level) {
    ASSERT_TRUE(WorldRules::loadLevel(level)) << level;
    GameState::levelNumber = static_cast<int8_t>(level);
    WorldState::alarmBoxesOff = 0;
    WorldState::phase = 0;
    std::vector<RoomObjectPtr> objects;
    for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();)
      objects.push_back(static_cast<RoomObject*>(e->nextElement()));
    for (const RoomObjectPtr& o : objects) {
      if (byKind.count(o->type) && byKind[o->type].offered) continue;
      int x, y, facing;
      if (!standingCell(*o, x, y, facing) && byKind.count(o->type)) continue;
      byKind[o->type] = play(level, *o);
    }
  }
  for (const auto& [kind, out] : byKind) {
    std::cout << "kind " << kind << " (" << kindNames[kind] << "), level " << out.level << ": "
              << (out.offered ? "offered" : "not offered") << ", item " << out.item << ", "
              << (out.opened ? "opened" : "closed") << ", loot " << out.loot << "\n";
    const bool inert = GameTables::objectTypeTable[kind][5] & RoomObject::inertFlag;
    EXPECT_EQ(out.offered, !inert) << kindNames[kind];
    if (inert) continue;
    EXPECT_TRUE(out.opened) << kindNames[kind];
    const bool container = GameTables::objectTypeTable[kind][5] & RoomObject::containerFlag;
    if (!container) {
      EXPECT_EQ(out.loot, 0) << kindNames[kind];
    }
  }
}

TEST_F(DemoKindsTest, APlantedBombBlastsTheSafeItStandsBy) {
  // The first safe of level 8 with floor before its door.
  ASSERT_TRUE(WorldRules::loadLevel(8));
  GameState::levelNumber = 8;
  RoomObject* safe = nullptr;
  int x = 0, y = 0, facing = 0;
  for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements() && !safe;) {
    auto* o = static_cast<RoomObject*>(e->nextElement());
    if (o->type == 0 && standingCell(*o, x, y, facing)) safe = o;
  }
  ASSERT_TRUE(safe);
  Person* p = join(1, x, y, "qtt");
  LevelKeys::selectPerson(0);
  p->direction = facing;
  LevelCommands::offerObjectUse(*p);
  ASSERT_EQ(itemIds(), std::vector<int>{'q'});
  answerIndex(0);
  ASSERT_EQ(WorldState::stepIndex, 15);
  EXPECT_EQ(safe->openStamp, 15 + 5) << "the plan shows the blast's opening";
  tick(12);
  for (int i = 0; i < 12; ++i) press(10003);
  EXPECT_EQ(WorldState::stepIndex, 27);

  nvtest::writable(GameState::skipWorldLogic) = 1;
  p->resetToStart();
  WorldRules::resetRoomObjects(false);
  GameTables::bombs->clear();
  WorldState::stepIndex = 0;
  bool stunned = false;
  for (int i = 0; i < 30 * 12 && WorldState::phase == 0; ++i) {
    tick();
    stunned = stunned || p->stunSteps > 0;
  }
  const auto* bomb = static_cast<const RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(x, y)));
  ASSERT_TRUE(bomb);
  std::cout << "bomb ('q'), level 8: planted by a safe, " << (bomb->state[1] < 1 ? "exploded" : "not exploded")
            << ", safe " << (safe->state[0] < 1 ? "opened" : "closed") << ", planter "
            << (stunned ? "stunned" : "not stunned") << "\n";
  EXPECT_LT(bomb->state[1], 1);
  EXPECT_LT(safe->state[0], 1);
  EXPECT_TRUE(stunned);
}

}  // namespace
}  // namespace nvx
