#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <stdlib.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"

namespace nvx {

// A program folder holding the demo data set (with its second language,
// "de") as "game.dat", the game library's search path and font, a 240 x 320 screen canvas, the game's statics.
class SplashFixture : public ::testing::Test {
protected:
  void SetUp() override { openData(""); }

  // Opens the data set without the entry named skip.
  void openData(const std::string& skip) {
    folder_.reset();
    folder_ = std::make_unique<GameFolder>();
    nvtest::openDemoData(*folder_, {}, skip);
    gamelib::ScreenCanvas::loadFonts(u"");
    gamelib::ScreenCanvas::screenWidth = 240;
    gamelib::ScreenCanvas::screenHeight = 320;
    gamelib::LangInfo::releaseInstance();
    MainCanvas::initStatics();
    nvtest::writable(GameState::touchInput) = 0;
    nvtest::writable(GameState::pulsePhase) = 0;
    GameState::languageIndex = 0;
  }

  void TearDown() override {
    gamelib::LangInfo::releaseInstance();
    gamelib::ScreenCanvas::releaseFonts();
    gamelib::GameLib::setSearchPath(nullptr);
    GameState::sounds.release();
    folder_.reset();
  }

  static qel::lcdui::DImagePtr screen(int32_t w = 240, int32_t h = 320) {
    return qel::lcdui::DImage::createImageOfFormat(w, h, qel::raster::PF_ARGB8888);
  }

  std::unique_ptr<GameFolder> folder_;
};

}  // namespace nvx
