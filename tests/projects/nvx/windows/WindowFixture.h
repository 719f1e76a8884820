#pragma once

#include <gtest/gtest.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "nvx/src/state/GameScreens.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultScreens.h"
#include "nvx/src/world/WorldScreen.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tools/demodata/lib/DataSet.h"

namespace nvx {

// The demo data set in a game folder, its English texts read and the
// pictures of the title screens loaded, on a 240 x 320 screen with the
// game's own screens installed. Windows open from the language screen
// (state 5), whose closed windows no handler acts on.
class WindowFixture : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dataSet_ = new nv::demodata::DataSet(nv::demodata::DataSet::build(NV_SOURCE_DIR "/data"));
  }
  static void TearDownTestSuite() {
    delete dataSet_;
    dataSet_ = nullptr;
  }

  void SetUp() override {
    for (const auto& entry : dataSet_->entries()) folder_.addEntry(entry.name, entry.data);
    folder_.openArchive();
    gamelib::GameLib::setSearchPath(gamelib::GameLib::pathPrefixes(u"240x320/"));
    MainCanvas::initStatics();
    MainCanvas::pictures = new qel::lang::DObjectArray(8);
    const char16_t* names[] = {u"abc_en", u"pic1", u"pic2"};
    for (int i = 0; i < 3; ++i) {
      MainCanvas::pictures[i] = gamelib::GameLib::loadImage(names[i]);
      ASSERT_TRUE(MainCanvas::pictures[i]) << i;
    }
    MainCanvas::languageIndex = 0;
    MainCanvas::loadLanguage();
    MainCanvas::screenWidth = MainCanvas::viewWidth = 240;
    MainCanvas::screenHeight = MainCanvas::viewHeight = 320;
    MainCanvas::touchInput = 0;
    MainCanvas::gameState = MainCanvas::stateLanguage;
    MainCanvas::dialogReturnState = MainCanvas::stateLanguage;
    MainCanvas::pendingKey = MainCanvas::noKey;
    NightvaultScreens::installLive();
  }

  void TearDown() override {
    GameScreens::install(nullptr);
    WorldScreen::install(nullptr);
    MainCanvas::resetDialog();
    MainCanvas::releaseStatics();
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
    MainCanvas::touchInput = 0;
    MainCanvas::gameState = 254;
  }

  static qel::lang::DshortArrayPtr glyphs(const char16_t* text) {
    return MainCanvas::stringToGlyphs(qel::lang::DStringPtr(text));
  }
  static std::u16string spelled(const qel::lang::DshortArrayPtr& text) {
    return std::u16string(MainCanvas::glyphsToString(text)->view());
  }
  static std::u16string resultText() {
    return MainCanvas::result ? std::u16string(MainCanvas::result->toString()->view()) : u"(null)";
  }

  static inline nv::demodata::DataSet* dataSet_ = nullptr;
  GameFolder folder_;
};

}  // namespace nvx
