#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gamelib/LangInfo.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"

namespace nvx {

// The demo data's texts in its first language, so that the windows the game
// opens are told apart by their texts.
inline void loadDemoTexts(GameFolder& folder) {
  nvtest::openDemoData(folder);
  GameState::languageIndex = 0;
  LanguageTexts::loadLanguage();
}

inline void releaseDemoTexts() {
  DialogWindow::resetDialog();
  gamelib::LangInfo::releaseInstance();
  gamelib::GameLib::setSearchPath(nullptr);
}

inline std::u16string spelledText(const qel::lang::DshortArrayPtr& text) {
  return text ? std::u16string(LanguageTexts::glyphsToString(text)->view()) : u"(none)";
}

// Whether window dialogId is open showing text textId under title text
// titleTextId, with one soft key, or two when twoKeys.
inline ::testing::AssertionResult showsWindow(int dialogId, int textId, int titleTextId, bool twoKeys = false) {
  if (GameState::gameState != StateMachine::stateDialog) return ::testing::AssertionFailure() << "no window is open";
  if (DialogWindow::dialogId != dialogId)
    return ::testing::AssertionFailure() << "window " << int(DialogWindow::dialogId) << " is open";
  if (spelledText(DialogWindow::bodyText) != spelledText(BitmapText::formatText(textId, nullptr)))
    return ::testing::AssertionFailure() << "the window does not show text " << textId;
  if (spelledText(DialogWindow::titleText) != spelledText(LanguageTexts::getText(titleTextId)))
    return ::testing::AssertionFailure() << "the window is not titled with text " << titleTextId;
  const int keys = DialogWindow::softKeys ? DialogWindow::softKeys->length() : 0;
  if (keys != (twoKeys ? 2 : 1)) return ::testing::AssertionFailure() << "the window has " << keys << " soft keys";
  return ::testing::AssertionSuccess();
}

// The bytes of the open window's title picture; empty for none.
inline std::vector<int> titlePicture() {
  std::vector<int> bytes;
  for (int i = 0; DialogWindow::titleIcons && i < DialogWindow::titleIcons->length(); ++i)
    bytes.push_back(DialogWindow::titleIcons[i]);
  return bytes;
}

// Closes the open window without acting on it: back to the state under it.
inline void closeWindow() {
  DialogWindow::resetDialog();
  StateMachine::enter(GameState::dialogReturnState);
}

}  // namespace nvx
