#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/nvx/world/Floor.h"
#include "tests/support/DemoData.h"
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
    MainCanvas::languageIndex = 0;
    MainCanvas::loadLanguage();
    MainCanvas::random = new qel::util::DRandom(7);
    layFloor(10, 8, 2, 2);
    MainCanvas::screenWidth = MainCanvas::viewWidth = 240;
    MainCanvas::screenHeight = 320;
    MainCanvas::viewHeight = MainCanvas::mapAreaHeight = 290;
    MainCanvas::cellSize = 24;
    MainCanvas::mapOriginX = MainCanvas::mapOriginY = 0;
    MainCanvas::levelTotals = new qel::lang::DintArray(7);
    MainCanvas::levelCounters = new qel::lang::DintArray(6);
    MainCanvas::skipWorldLogic = 0;
    MainCanvas::phase = 0;
    MainCanvas::stepIndex = 0;
    MainCanvas::difficulty = 0;
    MainCanvas::levelEndFlag = 0;
    MainCanvas::alarmBoxesOff = 0;
    MainCanvas::levelCounter = 500;
    MainCanvas::pendingKey = MainCanvas::heldKey = MainCanvas::noKey;
    MainCanvas::pendingNotice = -1;
    MainCanvas::pendingTransition = 0;
    MainCanvas::selectionIndex = 255;
    MainCanvas::selectedPerson = nullptr;
    MainCanvas::enter(MainCanvas::stateLevel);
    MainCanvas::dialogId = 0;
    MainCanvas::clockPhase = 0;
    MainCanvas::halfSecondCount = 1;
    for (int id = 0; id < 5; ++id) {
      MainCanvas::persons[id] = new Person(id);
      person(id)->resetPlan();
    }
  }
  void TearDown() override {
    MainCanvas::enter(254);
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
  }

  Person* person(int id) { return static_cast<Person*>(MainCanvas::persons[id].get()); }

  // Persons join the crew in order, standing at their cells with pockets.
  Person* join(int id, int x, int y, const char* pockets = "ttt") {
    Person* p = person(id);
    for (int i = 0; i < 3; ++i) p->pockets[i] = static_cast<int8_t>(pockets[i]);
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    p->getStep(0)->x = p->x;
    p->getStep(0)->y = p->y;
    MainCanvas::activePersons->addElement(p);
    return p;
  }

  RoomObject* place(int type, int x, int y, int facing, int content = 0, int amount = 0) {
    RoomObjectPtr o = new RoomObject(type, x, y, facing, false, content, amount);
    MainCanvas::roomObjects->put(MainCanvas::cellKey(x, y), o);
    return o.get();
  }

  // The frame's key through level play's key handling.
  void press(int32_t key) {
    MainCanvas::pendingKey = key;
    MainCanvas::handleLevelKeys();
  }

  // Clock ticks of level play: the held keys, then the world.
  void tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      MainCanvas::planKeys();
      MainCanvas::worldTick();
      MainCanvas::clockTick = static_cast<int8_t>((MainCanvas::clockTick + 1) % 12);
    }
  }

  // The window closes with a result and its handler runs.
  bool answer(const qel::lang::DObjectPtr& result) {
    MainCanvas::result = result;
    return MainCanvas::levelDialogResult();
  }
  bool answerIndex(int n) { return answer(new qel::lang::DString(std::to_string(n).c_str())); }
  bool answerId(int id) { return answer(new qel::lang::DShort(static_cast<int16_t>(id))); }

  std::vector<int> itemIds() const {
    std::vector<int> ids;
    for (int i = 0; MainCanvas::itemIds && i < MainCanvas::itemIds->length(); ++i)
      ids.push_back(MainCanvas::itemIds[i]);
    return ids;
  }

  // Whether the open window's body is text id with the parameters.
  static bool bodyIs(int32_t id, const qel::lang::DObjectArrayPtr& params = nullptr) {
    const qel::lang::DshortArrayPtr expected = MainCanvas::formatText(id, params);
    if (!MainCanvas::bodyText || MainCanvas::bodyText->length() != expected->length()) return false;
    for (int i = 0; i < expected->length(); ++i)
      if (MainCanvas::bodyText[i] != expected[i]) return false;
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
