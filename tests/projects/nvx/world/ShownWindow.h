#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gamelib/LangInfo.h"
#include "nvx/src/state/MainCanvas.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"

namespace nvx {

// The demo data's texts in its first language, so that the windows the game
// opens are told apart by their texts.
inline void loadDemoTexts(GameFolder& folder) {
  nvtest::openDemoData(folder);
  MainCanvas::languageIndex = 0;
  MainCanvas::loadLanguage();
}

inline void releaseDemoTexts() {
  MainCanvas::resetDialog();
  gamelib::LangInfo::releaseInstance();
  gamelib::GameLib::setSearchPath(nullptr);
}

inline std::u16string spelledText(const qel::lang::DshortArrayPtr& text) {
  return text ? std::u16string(MainCanvas::glyphsToString(text)->view()) : u"(none)";
}

// Whether window dialogId is open showing text textId under title text
// titleTextId, with one soft key, or two when twoKeys.
inline ::testing::AssertionResult showsWindow(int dialogId, int textId, int titleTextId, bool twoKeys = false) {
  if (MainCanvas::gameState != MainCanvas::stateDialog) return ::testing::AssertionFailure() << "no window is open";
  if (MainCanvas::dialogId != dialogId)
    return ::testing::AssertionFailure() << "window " << int(MainCanvas::dialogId) << " is open";
  if (spelledText(MainCanvas::bodyText) != spelledText(MainCanvas::formatText(textId, nullptr)))
    return ::testing::AssertionFailure() << "the window does not show text " << textId;
  if (spelledText(MainCanvas::titleText) != spelledText(MainCanvas::getText(titleTextId)))
    return ::testing::AssertionFailure() << "the window is not titled with text " << titleTextId;
  const int keys = MainCanvas::softKeys ? MainCanvas::softKeys->length() : 0;
  if (keys != (twoKeys ? 2 : 1)) return ::testing::AssertionFailure() << "the window has " << keys << " soft keys";
  return ::testing::AssertionSuccess();
}

// The bytes of the open window's title picture; empty for none.
inline std::vector<int> titlePicture() {
  std::vector<int> bytes;
  for (int i = 0; MainCanvas::titleIcons && i < MainCanvas::titleIcons->length(); ++i)
    bytes.push_back(MainCanvas::titleIcons[i]);
  return bytes;
}

// Closes the open window without acting on it: back to the state under it.
inline void closeWindow() {
  MainCanvas::resetDialog();
  MainCanvas::enter(MainCanvas::dialogReturnState);
}

}  // namespace nvx
