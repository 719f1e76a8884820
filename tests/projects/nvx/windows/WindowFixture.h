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
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/Writable.h"

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
    GameState::pictures = new qel::lang::DObjectArray(8);
    const char16_t* names[] = {u"abc_en", u"pic1", u"pic2"};
    for (int i = 0; i < 3; ++i) {
      GameState::pictures[i] = gamelib::GameLib::loadImage(names[i]);
      ASSERT_TRUE(GameState::pictures[i]) << i;
    }
    GameState::languageIndex = 0;
    LanguageTexts::loadLanguage();
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = 240;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = 320;
    nvtest::writable(GameState::touchInput) = 0;
    StateMachine::enter(StateMachine::stateLanguage);
    nvtest::writable(GameState::dialogReturnState) = StateMachine::stateLanguage;
    GameState::pendingKey = GameState::noKey;
  }

  void TearDown() override {
    DialogWindow::resetDialog();
    MainCanvas::releaseStatics();
    gamelib::LangInfo::releaseInstance();
    gamelib::GameLib::setSearchPath(nullptr);
    nvtest::writable(GameState::touchInput) = 0;
    StateMachine::enter(254);
  }

  // Dialog 4 as the options open it: the sound switch and the two volumes.
  static void openOptionsWindow(bool soundOn, int effects, int music) {
    qel::lang::DObjectArrayPtr values = new qel::lang::DObjectArray(3);
    for (int i = 1; i < 3; ++i) {
      qel::lang::DObjectArrayPtr value = new qel::lang::DObjectArray(1);
      value[0] = new qel::lang::DShort(static_cast<int16_t>(i == 1 ? effects : music));
      values[i] = value;
    }
    DialogWindow::openListDialog(4,
                                 DialogWindow::kindOptions,
                                 nullptr,
                                 new qel::lang::DshortArray(3, 0, 212, -2, -1),
                                 nullptr,
                                 values,
                                 new qel::lang::DbyteArray(1, 0, soundOn ? 1 : 0),
                                 208,
                                 1);
  }

  static qel::lang::DshortArrayPtr glyphs(const char16_t* text) {
    return LanguageTexts::stringToGlyphs(qel::lang::DStringPtr(text));
  }
  static std::u16string spelled(const qel::lang::DshortArrayPtr& text) {
    return std::u16string(LanguageTexts::glyphsToString(text)->view());
  }
  static std::u16string resultText() {
    return DialogWindow::result ? std::u16string(DialogWindow::result->toString()->view()) : u"(null)";
  }

  GameFolder folder_;
};

}  // namespace nvx
