#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "nvx/src/play/Commands.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

constexpr int safeKind = 0, doorKind = 1, crateKind = 5, alarmBoxKind = 6, wallSafeKind = 12, plantKind = 17;

// Person 1 at (5, 5) selected in planning, facing north at what stands on
// (5, 4).
class CommandsTest : public PlanFixture {
protected:
  void SetUp() override {
    PlanFixture::SetUp();
    p_ = join(1, 5, 5, "jtq");
    LevelKeys::selectPerson(0);
    p_->direction = 1;
    nvtest::writable(DialogWindow::dialogId) = 255;
  }

  Person* p_ = nullptr;
};

TEST_F(CommandsTest, ObjectUseOffersTakeOrThePocketsByObject) {
  struct Case {
    const char* what;
    int kind, facing;
    bool wall, running;
    const char* pockets;
    int openStamp, takeStamp, state0, state1;
    // Expected: the window (255 none) and its entries, or the notice's text.
    int dialog;
    std::vector<int> ids;
    int noticeText;
  };
  // stepIndex is 5 while planning.
  const Case cases[] = {
      {"closed safe: the filled pockets in order", safeKind, 3, false, false, "jtq", 0, 0, 'x', 8, 8, {'j', 'q'}, 0},
      {"safe opened by now: take", safeKind, 3, false, false, "jtq", 5, 0, 'x', 8, 8, {119}, 0},
      {"safe opened later: the pockets", safeKind, 3, false, false, "jtq", 6, 0, 'x', 8, 8, {'j', 'q'}, 0},
      {"safe already emptied by now", safeKind, 3, false, false, "jtq", 2, 4, 'x', 8, 255, {}, 0},
      {"empty pockets", safeKind, 3, false, false, "ttt", 0, 0, 'x', 8, 0, {}, 170},
      {"a door is never taken from", doorKind, 3, false, false, "hti", 5, 0, 'x', 8, 8, {'h', 'i'}, 0},
      {"a plant is never used", plantKind, 3, false, false, "jtq", 0, 0, 'x', 8, 255, {}, 0},
      {"wall safe from its open side", wallSafeKind, 3, true, false, "tjt", 0, 0, 'x', 8, 8, {'j'}, 0},
      {"wall safe from behind", wallSafeKind, 1, true, false, "tjt", 0, 0, 'x', 8, 255, {}, 0},
      {"running: worked open crate", crateKind, 1, false, true, "jtq", 0, 0, 0, 8, 8, {119}, 0},
      {"running: closed crate", crateKind, 1, false, true, "jtq", 0, 0, 12, 8, 8, {'j', 'q'}, 0},
      {"running: emptied crate", crateKind, 1, false, true, "jtq", 0, 0, 0, 0, 255, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    for (int i = 0; i < 3; ++i) p_->pockets[i] = static_cast<int8_t>(c.pockets[i]);
    if (c.wall) WorldState::grid[5][4] = 2;
    RoomObject* o = place(c.kind, 5, 4, c.facing, 1, 3);
    o->openStamp = static_cast<int16_t>(c.openStamp);
    o->takeStamp = static_cast<int16_t>(c.takeStamp);
    o->state[0] = static_cast<int8_t>(c.state0);
    o->state[1] = static_cast<int8_t>(c.state1);
    WorldState::stepIndex = 5;
    nvtest::writable(GameState::skipWorldLogic) = c.running ? 1 : 0;
    LevelCommands::offerObjectUse(*p_);
    EXPECT_EQ(DialogWindow::dialogId, c.dialog);
    if (c.dialog == 8) {
      EXPECT_EQ(itemIds(), c.ids);
    }
    if (c.noticeText) {
      EXPECT_TRUE(bodyIs(c.noticeText));
    }
  }
}

TEST_F(CommandsTest, ABombUnderfootStopsTheOfferWhileRunning) {
  place(safeKind, 5, 4, 3, 1, 3);
  RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, 5, 5, 1, false, 'q', 0);
  GameTables::bombs->put(WorldRules::cellKey(5, 5), bomb);
  nvtest::writable(GameState::skipWorldLogic) = 1;
  LevelCommands::offerObjectUse(*p_);
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_TRUE(bodyIs(171));
  bomb->state[1] = -1;
  LevelCommands::offerObjectUse(*p_);
  EXPECT_EQ(DialogWindow::dialogId, 8) << "a spent bomb is no obstacle";
}

TEST_F(CommandsTest, ItemActionBySideAndItem) {
  struct Case {
    int kind, facing, personX, personY, itemClass, action;
  };
  // The safe at (5, 4) opens on its facing side only; a crate on every side.
  const Case cases[] = {
      {safeKind, 3, 5, 5, 2, 4},       // 'j' works it open
      {safeKind, 3, 5, 5, 9, 5},       // 'q' plants a bomb
      {safeKind, 3, 5, 5, 10, 5},      // 'r' too
      {safeKind, 3, 5, 5, 0, -1},      // 'h' does not apply
      {safeKind, 1, 5, 5, 2, -2},      // from behind
      {alarmBoxKind, 3, 5, 5, 9, -1},  // a bomb on a kind without work for it
      {crateKind, 1, 5, 5, 0, 4},
      {plantKind, 3, 5, 5, 0, -1},   // no work row at all
      {crateKind, 1, 5, 5, 12, -1},  // the empty pocket
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " item " + std::to_string(c.itemClass));
    RoomObjectPtr o = new RoomObject(c.kind, 5, 4, c.facing, false, 0, 0);
    p_->target = o;
    p_->x = static_cast<int8_t>(c.personX);
    p_->y = static_cast<int8_t>(c.personY);
    EXPECT_EQ(LevelCommands::itemAction(*p_, c.itemClass), c.action);
  }
  p_->target = nullptr;
  EXPECT_EQ(LevelCommands::itemAction(*p_, 2), -1);
}

TEST_F(CommandsTest, ShowsOpenByModeStampsAndKind) {
  struct Case {
    int kind;
    bool running;
    int state0, openStamp, step;
    bool open;
  };
  const Case cases[] = {
      {safeKind, false, 'x', 3, 3, true},
      {safeKind, false, 'x', 4, 3, false},
      {safeKind, false, 'x', 0, 3, false},
      {doorKind, false, 'x', 1, 3, false},
      {safeKind, true, 0, 0, 0, true},
      {safeKind, true, 1, 9, 9, false},
      {crateKind, true, 'x', 0, 0, false},
      {wallSafeKind, true, 0, 0, 0, true},
  };
  for (const Case& c : cases) {
    RoomObject o(c.kind, 5, 4, 3, false, 1, 1);
    o.state[0] = static_cast<int8_t>(c.state0);
    o.openStamp = static_cast<int16_t>(c.openStamp);
    WorldState::stepIndex = static_cast<int16_t>(c.step);
    nvtest::writable(GameState::skipWorldLogic) = c.running ? 1 : 0;
    EXPECT_EQ(LevelCommands::showsOpen(o), c.open) << "kind " << c.kind << " stamp " << c.openStamp;
  }
}

TEST_F(CommandsTest, ChosenItemPlansItsWorkOrExplainsWhyNot) {
  struct Case {
    const char* what;
    int facing;
    const char* pockets;
    int chosen;
    // Expected.
    int steps, noticeText;
  };
  // Work table of the safe: 'j' 35 steps, 'q' 15; 'h' nothing.
  const Case cases[] = {
      {"work open with 'j'", 3, "jtq", 0, 35, 0},
      {"plant 'q', the second filled pocket", 3, "jtq", 1, 15, 0},
      {"'h' does not apply", 3, "thq", 0, 0, 166},
      {"from behind", 1, "jtq", 0, 0, 168},
      {"past the pockets", 3, "jtq", 2, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    for (int i = 0; i < 3; ++i) p_->pockets[i] = static_cast<int8_t>(c.pockets[i]);
    RoomObject* safe = place(safeKind, 5, 4, c.facing, 1, 3);
    LevelCommands::offerObjectUse(*p_);
    ASSERT_EQ(DialogWindow::dialogId, 8);
    EXPECT_EQ(answerIndex(c.chosen), c.noticeText != 0) << "true when a notice opened";
    EXPECT_EQ(p_->steps->size() - 1, c.steps);
    EXPECT_EQ(WorldState::stepIndex, c.steps);
    if (c.steps) {
      EXPECT_EQ(c.chosen == 0 ? safe->openStamp : GameTables::bombs->size(), c.chosen == 0 ? c.steps : 1);
    }
    if (c.noticeText) {
      EXPECT_TRUE(bodyIs(c.noticeText));
    }
  }
}

TEST_F(CommandsTest, TakingAnOpenContainerPlansEightSteps) {
  RoomObject* safe = place(safeKind, 5, 4, 3, 1, 3);
  safe->openStamp = 1;
  p_->recordSteps(1);
  WorldState::stepIndex = 1;
  LevelCommands::offerObjectUse(*p_);
  answerIndex(0);
  EXPECT_EQ(WorldState::stepIndex, 9);
  EXPECT_EQ(safe->takeStamp, 9);
  EXPECT_EQ(p_->getStep(1)->getAction(), 3);
}

TEST_F(CommandsTest, ObjectActionsNeverReachPastTheLastStep) {
  RoomObject* safe = place(safeKind, 5, 4, 3, 1, 3);
  safe->openStamp = 1;
  for (int i = 0; i < 592; ++i) {
    p_->recordSteps(1);
    ++WorldState::stepIndex;
  }
  LevelCommands::offerObjectUse(*p_);
  answerIndex(0);
  EXPECT_EQ(WorldState::stepIndex, 592) << "592 + 8 would end at step 600";
  safe->openStamp = 0;
  LevelCommands::offerObjectUse(*p_);
  answerIndex(0);
  EXPECT_EQ(WorldState::stepIndex, 592) << "35 work steps do not fit";
}

TEST_F(CommandsTest, ASecondBombOnOneCellShowsTheFirstOnesTime) {
  place(safeKind, 5, 4, 3, 1, 3);
  RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, 5, 5, 1, true, 'q', 0);
  bomb->openStamp = 75;
  GameTables::bombs->put(WorldRules::cellKey(5, 5), bomb);
  LevelCommands::offerObjectUse(*p_);
  EXPECT_TRUE(answerIndex(1)) << "the notice stays open";
  qel::lang::DObjectArrayPtr clock = new qel::lang::DObjectArray(3);
  clock[0] = new qel::lang::DInteger(1);
  clock[1] = new qel::lang::DInteger(1);
  clock[2] = new qel::lang::DInteger(5);
  EXPECT_TRUE(bodyIs(172, clock));
  EXPECT_EQ(p_->steps->size(), 1);
}

TEST_F(CommandsTest, WithoutATargetTheUseIsRefused) {
  place(safeKind, 5, 4, 3, 1, 3);
  LevelCommands::offerObjectUse(*p_);
  p_->target = nullptr;
  EXPECT_TRUE(answerIndex(0));
  EXPECT_TRUE(bodyIs(169));
}

TEST_F(CommandsTest, ItemListShowsTheWorkOfEachItemThatApplies) {
  place(safeKind, 5, 4, 3, 1, 3);
  press('1');
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(itemIds(), (std::vector<int>{87, 88, 89, 90, 93, 94, 95}));
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
  nvtest::writable(DialogWindow::dialogId) = 255;
  GameTables::roomObjects->clear();
  press('1');
  EXPECT_EQ(DialogWindow::dialogId, 255) << "nothing in front";
  place(plantKind, 5, 4, 3);
  press('1');
  EXPECT_EQ(DialogWindow::dialogId, 255) << "a kind without a work row";
}

TEST_F(CommandsTest, PersonMenuByModeAndPerson) {
  press('5');
  EXPECT_EQ(itemIds(), (std::vector<int>{120, 121}));

  nvtest::writable(GameState::skipWorldLogic) = 1;
  press('5');
  EXPECT_EQ(itemIds(), (std::vector<int>{117}));
  Person* leader = join(0, 3, 3, "htt");
  LevelKeys::selectPerson(1);
  press('5');
  EXPECT_EQ(itemIds(), (std::vector<int>{117, 118}));
  leader->busy = 1;
  press('5');
  EXPECT_EQ(itemIds(), (std::vector<int>{117}));
  leader->busy = 0;
  leader->stunSteps = 3;
  nvtest::writable(DialogWindow::dialogId) = 255;
  press('5');
  EXPECT_EQ(DialogWindow::dialogId, 255) << "a stunned person has no menu";
}

TEST_F(CommandsTest, DroppingTheLeadersItemsKeepsTheLoot) {
  Person* leader = join(0, 3, 3, "hjt");
  nvtest::writable(GameState::skipWorldLogic) = 1;
  LevelKeys::selectPerson(1);
  leader->load = static_cast<int8_t>(leader->getPocketsWeight() + 4);
  const int money = GameState::money;
  nvtest::writable(DialogWindow::dialogId) = 2;
  EXPECT_FALSE(answerId(118));
  EXPECT_EQ(leader->load, 4);
  EXPECT_EQ(leader->pockets[0], 't');
  EXPECT_EQ(leader->pockets[1], 't');
  EXPECT_EQ(GameState::money, money);
}

TEST_F(CommandsTest, ErasingAPlanRewindsTheCrew) {
  Person* other = join(2, 7, 7);
  other->action = 1;
  other->direction = 1;
  other->recordSteps(2);
  p_->action = 1;
  p_->direction = 2;
  p_->recordSteps(1);
  WorldState::stepIndex = 1;
  p_->x = 6;
  other->x = 7;
  other->y = 6;
  nvtest::writable(DialogWindow::dialogId) = 2;
  answerId(121);
  EXPECT_EQ(p_->steps->size(), 1);
  EXPECT_EQ(p_->x, 2) << "back at the exit";
  EXPECT_EQ(other->y, 7) << "the others stand at their plans' first steps";
  EXPECT_EQ(other->steps->size(), 3);

  answerId(120);
  EXPECT_EQ(GameState::pendingTransition, 3);
}

TEST_F(CommandsTest, LeavingWithTheCrewDrivesOffWithTheOutcome) {
  struct Case {
    int difficulty;
    bool goal;
    int outcome;
  };
  const Case cases[] = {{0, false, 1}, {-1, true, 4}, {-1, false, 5}};
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    GameState::levelNumber = 1;
    GameState::difficulty = static_cast<int8_t>(c.difficulty);
    RoomObject* door = place(doorKind, 4, 4, 1);
    door->state[0] = static_cast<int8_t>(c.goal ? 0 : 'x');
    p_->busy = 1;
    p_->action = 1;
    nvtest::writable(DialogWindow::dialogId) = 17;
    EXPECT_FALSE(answer(new qel::lang::DString(u"127")));
    EXPECT_EQ(WorldState::phase, 0) << "the second button stays";
    answer(new qel::lang::DString(u"126"));
    EXPECT_EQ(GameState::levelEndFlag, c.outcome);
    EXPECT_EQ(WorldState::phase, 1);
    EXPECT_EQ(WorldState::vehicleSpeed, 1);
    EXPECT_EQ(p_->busy, 0);
    EXPECT_EQ(p_->action, 0);
  }
}

TEST_F(CommandsTest, ResultsWithoutAnObjectOrOfOtherWindowsAreIgnored) {
  nvtest::writable(DialogWindow::dialogId) = 2;
  WorldState::sceneDirty = 0;
  EXPECT_FALSE(answer(nullptr));
  EXPECT_EQ(WorldState::sceneDirty, 1);
  nvtest::writable(DialogWindow::dialogId) = 8;
  EXPECT_FALSE(answer(new qel::lang::DString(u"x")));
  EXPECT_EQ(p_->steps->size(), 1);
  nvtest::writable(DialogWindow::dialogId) = 0;
  EXPECT_FALSE(answerId(117));
}

}  // namespace
}  // namespace nvx
