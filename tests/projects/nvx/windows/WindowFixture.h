#pragma once

#include <gtest/gtest.h>
#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/MainCanvas.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"

namespace nvx {

// The demo data set in a game folder, its English texts read and the
// pictures of the title screens loaded, on a 240 x 320 screen. Windows open
// from the language screen (state 5), whose closed windows no handler acts
// on.
class WindowFixture : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
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
    MainCanvas::enter(MainCanvas::stateLanguage);
    MainCanvas::dialogReturnState = MainCanvas::stateLanguage;
    MainCanvas::pendingKey = MainCanvas::noKey;
  }

  void TearDown() override {
    MainCanvas::resetDialog();
    MainCanvas::releaseStatics();
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
    MainCanvas::touchInput = 0;
    MainCanvas::enter(254);
  }

  // Dialog 4 as the options open it: the sound switch and the two volumes.
  static void openOptionsWindow(bool soundOn, int effects, int music) {
    qel::lang::DObjectArrayPtr values = new qel::lang::DObjectArray(3);
    for (int i = 1; i < 3; ++i) {
      qel::lang::DObjectArrayPtr value = new qel::lang::DObjectArray(1);
      value[0] = new qel::lang::DShort(static_cast<int16_t>(i == 1 ? effects : music));
      values[i] = value;
    }
    MainCanvas::openListDialog(4,
                               MainCanvas::kindOptions,
                               nullptr,
                               new qel::lang::DshortArray(3, 0, 212, -2, -1),
                               nullptr,
                               values,
                               new qel::lang::DbyteArray(1, 0, soundOn ? 1 : 0),
                               208,
                               1);
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

  GameFolder folder_;
};

}  // namespace nvx
