#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ResTables.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
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

// The game's statics over the demo data set (texts, pictures, "res.dat" as
// the builder writes it) on a 240 x 320 screen, with the map laid out the
// way the splash does it and the five persons made.
class MapFixture : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    gamelib::LangInfo::releaseInstance();
    MainCanvas::initStatics();
    gamelib::ResTables tables;
    tables.mapPlaces = MainCanvas::mapPlaces;
    tables.mapPoints = MainCanvas::mapPoints;
    tables.spriteTable = MainCanvas::spriteTable;
    tables.shortRows = MainCanvas::resShortRows;
    gamelib::GameLib::loadResData(tables);
    MainCanvas::screenWidth = 240;
    MainCanvas::screenHeight = 320;
    MainCanvas::viewWidth = 240;
    MainCanvas::viewHeight = 320 - MainCanvas::spriteHeight(MainCanvas::spriteBottomBar);
    // The alphabet picture is named after the language, as choosing it does.
    MainCanvas::pictureNames->at(0) = new qel::lang::DString(u"abc_en");
    MainCanvas::pictures = new qel::lang::DObjectArray(8);
    for (int i = 0; i <= 2; ++i) MainCanvas::loadPicture(i);
    MainCanvas::languageIndex = 0;
    MainCanvas::loadLanguage();
    MainCanvas::backImage = qel::lcdui::DImage::createImage(240, 320);
    MainCanvas::backGraphics = MainCanvas::backImage->getGraphics();
    layOutMap();
    for (int id = 0; id < 5; ++id) MainCanvas::persons->at(id) = new Person(id);
    MainCanvas::enter(MainCanvas::stateMapScreen);
    MainCanvas::levelNumber = 7;
    MainCanvas::difficulty = 1;
    MainCanvas::money = 4000;
    MainCanvas::mapPlace = 0;
    MainCanvas::shopMode = 0;
    MainCanvas::shopColumn = 0;
    MainCanvas::shopRow = 0;
    MainCanvas::tickerRunning = 0;
    MainCanvas::tickerText.release();
    MainCanvas::mapMessage = MainCanvas::noMessage;
    MainCanvas::pendingTransition = 0;
    MainCanvas::pendingKey = MainCanvas::noKey;
    MainCanvas::hintPending = 0;
    MainCanvas::mapSpotPending = 0;
    MainCanvas::chosenPerson.release();
    MainCanvas::handImage.release();
    MainCanvas::handLookedUp = 0;
    gamelib::ScreenCanvas::resetKeys();
    placeCursorAt(0);
  }

  void TearDown() override {
    MainCanvas::backGraphics.release();
    MainCanvas::handImage.release();
    MainCanvas::handLookedUp = 0;
    MainCanvas::releaseStatics();
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
  }

  // Places and person points moved by the map's offset, as the splash's
  // layout step does; "res.dat" of the data set gives the same values as
  // the built-in tables.
  static void layOutMap() {
    const int title = MainCanvas::spriteHeight(MainCanvas::spriteTitle);
    const int top = MainCanvas::spriteHeight(MainCanvas::spriteTopBar);
    MainCanvas::layoutX = (MainCanvas::viewWidth - MainCanvas::spriteWidth(MainCanvas::spriteTitle)) >> 1;
    MainCanvas::layoutY = ((MainCanvas::viewHeight - title - top) >> 1) + top;
    for (int i = 0; i < MainCanvas::mapPlaces->length(); ++i) {
      MainCanvas::mapPlaces[i][0] += MainCanvas::layoutX;
      MainCanvas::mapPlaces[i][1] += MainCanvas::layoutY;
    }
    for (int i = 0; i < MainCanvas::mapPoints->length(); ++i) {
      MainCanvas::mapPoints[i][0] = static_cast<int16_t>(MainCanvas::mapPoints[i][0] + MainCanvas::layoutX);
      MainCanvas::mapPoints[i][1] = static_cast<int16_t>(MainCanvas::mapPoints[i][1] + MainCanvas::layoutY);
    }
  }

  // The cursor standing on place p, as after a finished glide.
  static void placeCursorAt(int p) {
    MainCanvas::mapPlace = static_cast<int8_t>(p);
    MainCanvas::cursorTargetX = MainCanvas::cursorX = MainCanvas::mapPlaces[p][0];
    MainCanvas::cursorTargetY = MainCanvas::cursorY = MainCanvas::mapPlaces[p][1];
  }

  static Person& person(int id) { return *static_cast<Person*>(MainCanvas::persons->at(id).get()); }

  // Whether person id is offered by the current level.
  static void offer(int id, bool offered) {
    MainCanvas::levelTable[MainCanvas::levelNumber - 1][6 + id] = offered ? 1 : 0;
  }

  static std::string text(const qel::lang::DshortArrayPtr& glyphs) {
    if (!glyphs) return "(null)";
    qel::lang::DStringPtr s = MainCanvas::glyphsToString(glyphs);
    std::string out;
    for (char16_t c : s->view()) out += static_cast<char>(c);
    return out;
  }

  GameFolder folder_;
};

}  // namespace nvx
