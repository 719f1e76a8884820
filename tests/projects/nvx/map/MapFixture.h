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
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Person.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"

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
    tables.mapPlaces = GameTables::mapPlaces;
    tables.mapPoints = GameTables::mapPoints;
    tables.spriteTable = GameTables::spriteTable;
    tables.shortRows = GameTables::resShortRows;
    gamelib::GameLib::loadResData(tables);
    nvtest::writable(GameState::screenWidth) = 240;
    nvtest::writable(GameState::screenHeight) = 320;
    nvtest::writable(GameState::viewWidth) = 240;
    nvtest::writable(GameState::viewHeight) = 320 - Overlays::spriteHeight(SpriteRows::spriteBottomBar);
    // The alphabet picture is named after the language, as choosing it does.
    GameTables::pictureNames->at(0) = new qel::lang::DString(u"abc_en");
    GameState::pictures = new qel::lang::DObjectArray(8);
    for (int i = 0; i <= 2; ++i) SpriteDrawing::loadPicture(i);
    GameState::languageIndex = 0;
    LanguageTexts::loadLanguage();
    nvtest::writable(GameState::backImage) = qel::lcdui::DImage::createImage(240, 320);
    nvtest::writable(StateMachine::backGraphics) = GameState::backImage->getGraphics();
    layOutMap();
    for (int id = 0; id < 5; ++id) GameTables::persons->at(id) = new Person(id);
    StateMachine::enter(StateMachine::stateMapScreen);
    GameState::levelNumber = 7;
    GameState::difficulty = 1;
    GameState::money = 4000;
    GameState::mapPlace = 0;
    nvtest::writable(GameState::shopMode) = 0;
    GameState::shopColumn = 0;
    GameState::shopRow = 0;
    nvtest::writable(GameState::tickerRunning) = 0;
    GameState::tickerText.release();
    GameState::mapMessage = MapScreen::noMessage;
    GameState::pendingTransition = 0;
    GameState::pendingKey = GameState::noKey;
    GameState::hintPending = 0;
    MapScreen::mapSpotPending = 0;
    WorldState::chosenPerson.release();
    nvtest::writable(MapScreen::handImage).release();
    nvtest::writable(MapScreen::handLookedUp) = 0;
    gamelib::ScreenCanvas::resetKeys();
    placeCursorAt(0);
  }

  void TearDown() override {
    nvtest::writable(StateMachine::backGraphics).release();
    nvtest::writable(MapScreen::handImage).release();
    nvtest::writable(MapScreen::handLookedUp) = 0;
    MainCanvas::releaseStatics();
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
  }

  // Places and person points moved by the map's offset, as the splash's
  // layout step does; "res.dat" of the data set gives the same values as
  // the built-in tables.
  static void layOutMap() {
    const int title = Overlays::spriteHeight(SpriteRows::spriteTitle);
    const int top = Overlays::spriteHeight(SpriteRows::spriteTopBar);
    nvtest::writable(GameState::layoutX) = (GameState::viewWidth - Overlays::spriteWidth(SpriteRows::spriteTitle)) >> 1;
    nvtest::writable(GameState::layoutY) = ((GameState::viewHeight - title - top) >> 1) + top;
    for (int i = 0; i < GameTables::mapPlaces->length(); ++i) {
      GameTables::mapPlaces[i][0] += GameState::layoutX;
      GameTables::mapPlaces[i][1] += GameState::layoutY;
    }
    for (int i = 0; i < GameTables::mapPoints->length(); ++i) {
      GameTables::mapPoints[i][0] = static_cast<int16_t>(GameTables::mapPoints[i][0] + GameState::layoutX);
      GameTables::mapPoints[i][1] = static_cast<int16_t>(GameTables::mapPoints[i][1] + GameState::layoutY);
    }
  }

  // The cursor standing on place p, as after a finished glide.
  static void placeCursorAt(int p) {
    GameState::mapPlace = static_cast<int8_t>(p);
    GameState::cursorTargetX = nvtest::writable(MapScreen::cursorX) = GameTables::mapPlaces[p][0];
    GameState::cursorTargetY = nvtest::writable(MapScreen::cursorY) = GameTables::mapPlaces[p][1];
  }

  static Person& person(int id) { return *static_cast<Person*>(GameTables::persons->at(id).get()); }

  // Whether person id is offered by the current level.
  static void offer(int id, bool offered) {
    GameTables::levelTable[GameState::levelNumber - 1][6 + id] = offered ? 1 : 0;
  }

  static std::string text(const qel::lang::DshortArrayPtr& glyphs) {
    if (!glyphs) return "(null)";
    qel::lang::DStringPtr s = LanguageTexts::glyphsToString(glyphs);
    std::string out;
    for (char16_t c : s->view()) out += static_cast<char>(c);
    return out;
  }

  GameFolder folder_;
};

}  // namespace nvx
