#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "gamelib/LangInfo.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"

namespace nvx {

// The demo data set as the builder makes it, opened as the game's archive
// with the sheets of both modes, the GUI images and the language loaded, on
// a screen of 240 x 320; the game's statics fresh for every test.
class DemoLevel : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    MainCanvas::initStatics();
    for (int id = 0; id < GameTables::persons->length(); ++id) GameTables::persons[id] = new Person(id);
    GameState::languageIndex = 0;
    GameState::pictures = new qel::lang::DObjectArray(8);
    GameState::pictures[0] = gamelib::GameLib::loadImage(u"abc_en");
    for (int i = 1; i <= 6; ++i) SpriteDrawing::loadPicture(i);
    LanguageTexts::loadLanguage();
    GameState::guiImages = new gamelib::ImageManager();
    GameState::guiImages->load(u"img/gui");
    setScreen(240, 320);
    GameState::difficulty = 0;
    nvtest::writable(GameState::touchInput) = 0;
    WorldState::stepIndex = 0;
    WorldState::phase = 0;
    nvtest::writable(WorldState::shakeOffset) = 0;
    nvtest::writable(FrameClock::clockPhase) = 0;
    GameState::mapPainting = 0;
    WorldState::sceneDirty = 0;
    nvtest::writable(WorldState::sceneDirtyAgain) = 0;
    nvtest::writable(WorldState::spritesFitted) = 1;
    WorldState::selectedPerson = nullptr;
    GameState::selectionIndex = 255;
    GameState::pendingTransition = 0;
    GameState::mapMessage = -1;
  }
  void TearDown() override {
    WorldState::trailGraphics = nullptr;
    WorldState::trailImage = nullptr;
    WorldState::selectedPerson = nullptr;
    MainCanvas::releaseStatics();
    GameState::guiImages = nullptr;
    gamelib::GameLib::setSearchPath(nullptr);
    gamelib::LangInfo::releaseInstance();
  }

  static void setScreen(int w, int h) {
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = w;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = h;
    ViewScene::computeVisibleCells();
  }

  // The level loaded and shown from the exit, in planning or running, with
  // a fresh trail image.
  static void openLevel(int level, bool running) {
    ASSERT_TRUE(WorldRules::loadLevel(level));
    GameState::levelNumber = static_cast<int8_t>(level);
    nvtest::writable(GameState::skipWorldLogic) = running ? 1 : 0;
    ViewScene::makeTrailImage();
    nvtest::writable(WorldState::mapOriginX) = nvtest::writable(WorldState::mapOriginY) = 0;
    ViewScene::centerViewOn(WorldState::exitX, WorldState::exitY, true, false, false);
    WorldState::sceneDirty = 1;
  }

  // Person id at the exit with an empty plan, in the crew.
  static PersonPtr hire(int id) {
    PersonPtr p = static_cast<Person*>(GameTables::persons[id].get());
    p->resetPlan();
    GameTables::activePersons->addElement(p);
    return p;
  }

  static void select(const PersonPtr& p) {
    GameState::selectionIndex = static_cast<uint8_t>(GameTables::activePersons->indexOf(p));
    WorldState::selectedPerson = p;
  }

  static qel::lcdui::DImagePtr newScreen() {
    return qel::lcdui::DImage::createImage(GameState::screenWidth, GameState::screenHeight);
  }

  GameFolder folder_;
};

}  // namespace nvx
