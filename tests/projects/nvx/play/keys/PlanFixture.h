#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/nvx/world/Floor.h"
#include "tests/support/DemoData.h"
#include "tests/support/Writable.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"

namespace nvx {

// The demo data's archive and English texts; a 10 x 8 floor with the exit at
// (2, 2), persons 0 to 4 and no crew yet, in planning on a 240 x 320 screen;
// windows open on the real window model.
class PlanFixture : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    MainCanvas::initStatics();
    GameState::languageIndex = 0;
    LanguageTexts::loadLanguage();
    nvtest::writable(GameTables::random) = new qel::util::DRandom(7);
    layFloor(10, 8, 2, 2);
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = 240;
    nvtest::writable(GameState::screenHeight) = 320;
    nvtest::writable(GameState::viewHeight) = nvtest::writable(ViewScene::mapAreaHeight) = 290;
    nvtest::writable(GameState::cellSize) = 24;
    nvtest::writable(WorldState::mapOriginX) = nvtest::writable(WorldState::mapOriginY) = 0;
    GameTables::levelTotals = new qel::lang::DintArray(7);
    GameTables::levelCounters = new qel::lang::DintArray(6);
    nvtest::writable(GameState::skipWorldLogic) = 0;
    WorldState::phase = 0;
    WorldState::stepIndex = 0;
    GameState::difficulty = 0;
    GameState::levelEndFlag = 0;
    WorldState::alarmBoxesOff = 0;
    GameState::levelCounter = 500;
    GameState::pendingKey = GameState::heldKey = GameState::noKey;
    nvtest::writable(WorldState::pendingNotice) = -1;
    GameState::pendingTransition = 0;
    GameState::selectionIndex = 255;
    WorldState::selectedPerson = nullptr;
    StateMachine::enter(StateMachine::stateLevel);
    nvtest::writable(DialogWindow::dialogId) = 0;
    nvtest::writable(FrameClock::clockPhase) = 0;
    GameState::halfSecondCount = 1;
    for (int id = 0; id < 5; ++id) {
      GameTables::persons[id] = new Person(id);
      person(id)->resetPlan();
    }
  }
  void TearDown() override {
    StateMachine::enter(254);
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
  }

  Person* person(int id) { return static_cast<Person*>(GameTables::persons[id].get()); }

  // Persons join the crew in order, standing at their cells with pockets.
  Person* join(int id, int x, int y, const char* pockets = "ttt") {
    Person* p = person(id);
    for (int i = 0; i < 3; ++i) p->pockets[i] = static_cast<int8_t>(pockets[i]);
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    p->getStep(0)->x = p->x;
    p->getStep(0)->y = p->y;
    GameTables::activePersons->addElement(p);
    return p;
  }

  RoomObject* place(int type, int x, int y, int facing, int content = 0, int amount = 0) {
    RoomObjectPtr o = new RoomObject(type, x, y, facing, false, content, amount);
    GameTables::roomObjects->put(WorldRules::cellKey(x, y), o);
    return o.get();
  }

  // The frame's key through level play's key handling.
  void press(int32_t key) {
    GameState::pendingKey = key;
    LevelKeys::handleLevelKeys();
  }

  // Clock ticks of level play: the held keys, then the world.
  void tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      LevelKeys::planKeys();
      WorldRules::worldTick();
      nvtest::writable(FrameClock::clockTick) = static_cast<int8_t>((FrameClock::clockTick + 1) % 12);
    }
  }

  // The window closes with a result and its handler runs.
  bool answer(const qel::lang::DObjectPtr& result) {
    DialogWindow::result = result;
    return DialogResults::levelDialogResult();
  }
  bool answerIndex(int n) { return answer(new qel::lang::DString(std::to_string(n).c_str())); }
  bool answerId(int id) { return answer(new qel::lang::DShort(static_cast<int16_t>(id))); }

  std::vector<int> itemIds() const {
    std::vector<int> ids;
    for (int i = 0; DialogWindow::itemIds && i < DialogWindow::itemIds->length(); ++i)
      ids.push_back(DialogWindow::itemIds[i]);
    return ids;
  }

  // Whether the open window's body is text id with the parameters.
  static bool bodyIs(int32_t id, const qel::lang::DObjectArrayPtr& params = nullptr) {
    const qel::lang::DshortArrayPtr expected = BitmapText::formatText(id, params);
    if (!DialogWindow::bodyText || DialogWindow::bodyText->length() != expected->length()) return false;
    for (int i = 0; i < expected->length(); ++i)
      if (DialogWindow::bodyText[i] != expected[i]) return false;
    return true;
  }

  static std::string pocketsOf(const Person& p) {
    std::string out;
    for (int i = 0; i < 3; ++i) out.push_back(static_cast<char>(p.pockets[i]));
    return out;
  }

  // The cells of a person's plan, "x,y:action" per step.
  static std::string planOf(const Person& p) {
    std::string out;
    for (int i = 0; i < p.steps->size(); ++i) {
      const Path* s = p.getStep(i);
      out += (out.empty() ? "" : " ") + std::to_string(s->x) + "," + std::to_string(s->y) + ":" +
             std::to_string(s->getAction());
    }
    return out;
  }

  GameFolder folder_;
};

}  // namespace nvx
