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
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"

namespace nvx {

// The demo data set as the builder makes it, opened as the game's archive
// with the sheets of both modes, the GUI images and the language loaded, on
// a screen of 240 x 320; the game's statics fresh for every test.
class DemoLevel : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    MainCanvas::initStatics();
    for (int id = 0; id < MainCanvas::persons->length(); ++id) MainCanvas::persons[id] = new Person(id);
    MainCanvas::languageIndex = 0;
    MainCanvas::pictures = new qel::lang::DObjectArray(8);
    MainCanvas::pictures[0] = gamelib::GameLib::loadImage(u"abc_en");
    for (int i = 1; i <= 6; ++i) MainCanvas::loadPicture(i);
    MainCanvas::loadLanguage();
    MainCanvas::guiImages = new gamelib::ImageManager();
    MainCanvas::guiImages->load(u"img/gui");
    setScreen(240, 320);
    MainCanvas::difficulty = 0;
    MainCanvas::touchInput = 0;
    MainCanvas::stepIndex = 0;
    MainCanvas::phase = 0;
    MainCanvas::shakeOffset = 0;
    MainCanvas::clockPhase = 0;
    MainCanvas::mapPainting = 0;
    MainCanvas::sceneDirty = 0;
    MainCanvas::sceneDirtyAgain = 0;
    MainCanvas::spritesFitted = 1;
    MainCanvas::selectedPerson = nullptr;
    MainCanvas::selectionIndex = 255;
    MainCanvas::pendingTransition = 0;
    MainCanvas::mapMessage = -1;
  }
  void TearDown() override {
    MainCanvas::trailGraphics = nullptr;
    MainCanvas::trailImage = nullptr;
    MainCanvas::selectedPerson = nullptr;
    MainCanvas::releaseStatics();
    MainCanvas::guiImages = nullptr;
    gamelib::GameLib::setSearchPath(nullptr);
    gamelib::LangInfo::releaseInstance();
  }

  static void setScreen(int w, int h) {
    MainCanvas::screenWidth = MainCanvas::viewWidth = w;
    MainCanvas::screenHeight = MainCanvas::viewHeight = h;
    MainCanvas::computeVisibleCells();
  }

  // The level loaded and shown from the exit, in planning or running, with
  // a fresh trail image.
  static void openLevel(int level, bool running) {
    ASSERT_TRUE(MainCanvas::loadLevel(level));
    MainCanvas::levelNumber = static_cast<int8_t>(level);
    MainCanvas::skipWorldLogic = running ? 1 : 0;
    MainCanvas::makeTrailImage();
    MainCanvas::mapOriginX = MainCanvas::mapOriginY = 0;
    MainCanvas::centerViewOn(MainCanvas::exitX, MainCanvas::exitY, true, false, false);
    MainCanvas::sceneDirty = 1;
  }

  // Person id at the exit with an empty plan, in the crew.
  static PersonPtr hire(int id) {
    PersonPtr p = static_cast<Person*>(MainCanvas::persons[id].get());
    p->resetPlan();
    MainCanvas::activePersons->addElement(p);
    return p;
  }

  static void select(const PersonPtr& p) {
    MainCanvas::selectionIndex = static_cast<uint8_t>(MainCanvas::activePersons->indexOf(p));
    MainCanvas::selectedPerson = p;
  }

  static qel::lcdui::DImagePtr newScreen() {
    return qel::lcdui::DImage::createImage(MainCanvas::screenWidth, MainCanvas::screenHeight);
  }

  GameFolder folder_;
};

}  // namespace nvx
