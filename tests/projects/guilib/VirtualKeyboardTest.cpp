#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "GuiHost.h"
#include "TestApplication.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextBox.h"
#include "guilib/GUIVirtualKeyboard.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "tests/support/ScreenPixels.h"

using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIAnimation;
using guilib::GUIEngine;
using guilib::GUIRect;
using guilib::GUIVirtualKeyboard;
using guilib::GUIVirtualKeyboardPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;
namespace app = test_application;

namespace {

using Box = std::vector<int32_t>;
Box boundsOf(const GUIWidgetPtr& w) {
  const GUIRect r = w->getBounds();
  return {r.x, r.y, r.width, r.height};
}

void drain() {
  guilib::GUIEnginePtr engine = GUIEngine::getInstance();
  while (GUIActionPtr a = engine->takeNextAction()) engine->executeAction(a);
}

std::u16string typed(const GUIVirtualKeyboardPtr& keyboard) {
  return std::u16string(keyboard->getTextBox()->getText()->view());
}

guilib::GUIAnimationPtr picture(int32_t w, int32_t h) {
  return new GUIAnimation(qel::lcdui::DImage::createImage(w, h));
}

TEST(VirtualKeyboardTest, TextBoxModeFillsTheGridWithTheSquarestCells) {
  GuiHost host;
  host.run([] {
    GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, true);
    keyboard->setKeys(new qel::lang::DString(u"0123456789"));
    keyboard->setBounds(0, 0, 100, 60);  // no default font: the text box has no height
    keyboard->callUpdateHooks();
    std::vector<Box> cells;
    for (const GUIWidgetPtr& key : keyboard->getGrid()->getChildren(0)) cells.push_back(boundsOf(key));
    ASSERT_EQ(cells.size(), 12u);
    for (size_t i = 0; i < cells.size(); ++i)
      EXPECT_EQ(cells[i], (Box{int32_t(i % 5) * 20, int32_t(i / 5) * 20, 20, 20})) << i;
    EXPECT_EQ(keyboard->findKey(GUIVirtualKeyboard::BackspaceKeyId)->getTabIndex(), 10);
    EXPECT_EQ(keyboard->findKey(GUIVirtualKeyboard::OkKeyId)->getTabIndex(), 11);

    // Keys replaced: focus on the first character key; no keys: the two special ones.
    keyboard->setKeys(new qel::lang::DString(u"XY"));
    ASSERT_EQ(keyboard->getGrid()->getChildren(0).size(), 4u);
    EXPECT_FALSE(keyboard->findKey('0'));
    EXPECT_EQ(keyboard->getGrid()->getFocusedChild(), keyboard->findKey('X'));
    keyboard->setKeys(new qel::lang::DString(u""));
    EXPECT_EQ(keyboard->getGrid()->getChildren(0).size(), 2u);
    keyboard->setBounds(0, 0, 3, 60);  // too narrow: nothing placed, nothing fails
    keyboard->callUpdateHooks();
  });
}

TEST(VirtualKeyboardTest, TextBoxKeepsItsOnePixelInsetHoweverOftenTheKeyboardResizes) {
  GuiHost host;
  host.run([] {
    app::useMonospaceFont();
    GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, true);
    keyboard->setKeys(new qel::lang::DString(u"AB"));
    for (int32_t width : {200, 180, 220, 220}) {
      keyboard->setBounds(0, 0, width, 100 + width);
      drain();  // the resize action's callback
      keyboard->callUpdateHooks();
      const GUIRect client = keyboard->getTextBox()->getClientRect();
      EXPECT_EQ(keyboard->getTextBox()->getBounds().width, width);
      EXPECT_EQ(client.x, 1) << width;
      EXPECT_EQ(client.width, width - 2) << width;
    }
  });
}

TEST(VirtualKeyboardTest, HighlightColourFillsTheFocusedKeyInsideABlackOutline) {
  GuiHost host;
  host.run([] {
    GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, true);
    keyboard->setKeys(new qel::lang::DString(u"AB"));
    keyboard->setHighlightColour(0xE02010);
    // The key's chosen background painted as a 4 x 4 cell: its corner and its middle.
    auto painted = [](const GUIWidgetPtr& key) {
      key->selectSkins(false);
      GUIAnimation* cell = key->getSkin(GUIWidget::Background);
      if (!cell) return std::vector<uint32_t>{};
      cell->setSize(4, 4);
      qel::lcdui::DImagePtr image = qel::lcdui::DImage::createImageOfFormat(4, 4, qel::raster::PF_ARGB8888);
      image->getGraphics()->setColor(0x808080);
      image->getGraphics()->fillRect(0, 0, 4, 4);
      cell->paint(image->getGraphics(), 0, 0);
      return std::vector<uint32_t>{nvtest::pixel(image, 0, 0), nvtest::pixel(image, 1, 1)};
    };
    keyboard->findKey('A')->setFocus(true);
    EXPECT_EQ(painted(keyboard->findKey('A')), (std::vector<uint32_t>{0x000000, 0xE02010}));
    EXPECT_NE(painted(keyboard->findKey('B')), (std::vector<uint32_t>{0x000000, 0xE02010}));
  });
}

TEST(VirtualKeyboardTest, KeyFontDressesCharacterAndOkLabelsButNotBackspace) {
  GuiHost host;
  host.run([] {
    GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, true);
    guilib::GUIFontPtr keyFont = new guilib::GUIFont(qel::lcdui::DFont::getDefaultFont(), 0xFF0000);
    guilib::GUIFontPtr boxFont = new guilib::GUIFont(qel::lcdui::DFont::getDefaultFont(), 0x0000FF);
    keyboard->setKeyFont(keyFont);
    keyboard->setTextBoxFont(boxFont);
    keyboard->setKeys(new qel::lang::DString(u"AB"));
    EXPECT_EQ(keyboard->findKey('A')->getGUIText()->getFont(), keyFont);
    EXPECT_EQ(keyboard->findKey(GUIVirtualKeyboard::OkKeyId)->getGUIText()->getFont(), keyFont);
    EXPECT_FALSE(keyboard->findKey(GUIVirtualKeyboard::BackspaceKeyId)->getGUIText()->getFont());
    EXPECT_EQ(keyboard->getTextBox()->getGUIText()->getFont(), boxFont);
  });
}

TEST(VirtualKeyboardTest, SkinModePlacesKeysByTheirCellsAndSpecialKeysBottomRight) {
  GuiHost host;
  host.run([] {
    auto build = [](bool withKeyCell) {
      GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, false);
      keyboard->setBackgroundCell(picture(100, 70));
      keyboard->setInputLineCell(picture(100, 16));
      if (withKeyCell)
        keyboard->setKeyCell(GUIVirtualKeyboard::CharacterKey, GUIVirtualKeyboard::NormalCell, picture(30, 20));
      keyboard->setKeyCell(GUIVirtualKeyboard::BackspaceKey, GUIVirtualKeyboard::NormalCell, picture(25, 20));
      keyboard->setKeyCell(GUIVirtualKeyboard::OkKey, GUIVirtualKeyboard::NormalCell, picture(15, 20));
      keyboard->setKeys(new qel::lang::DString(u"ABCD"));
      keyboard->callUpdateHooks();
      return keyboard;
    };
    GUIVirtualKeyboardPtr keyboard = build(true);
    EXPECT_EQ(boundsOf(keyboard), (Box{0, 0, 100, 86}));
    // 3 columns of 30 from x 5; rows from y (70 mod 20) / 2 = 5.
    EXPECT_EQ(boundsOf(keyboard->findKey('A')), (Box{5, 5, 30, 20}));
    EXPECT_EQ(boundsOf(keyboard->findKey('C')), (Box{65, 5, 30, 20}));
    EXPECT_EQ(boundsOf(keyboard->findKey('D')), (Box{5, 25, 30, 20}));
    EXPECT_EQ(boundsOf(keyboard->findKey(GUIVirtualKeyboard::BackspaceKeyId)), (Box{80, 55, 25, 20}));
    EXPECT_EQ(boundsOf(keyboard->findKey(GUIVirtualKeyboard::OkKeyId)), (Box{65, 55, 15, 20}));

    // Without a character key cell no key is laid out.
    GUIVirtualKeyboardPtr bare = build(false);
    EXPECT_EQ(boundsOf(bare->findKey('A')), (Box{0, 0, 0, 0}));
  });
}

TEST(VirtualKeyboardTest, DeviceKeysAmongTheKeysTypeAsIfPressed) {
  GuiHost host;
  host.run([] {
    GUIVirtualKeyboardPtr keyboard = new GUIVirtualKeyboard(1, true);
    keyboard->setKeys(new qel::lang::DString(u"ABC"));
    auto press = [&](int32_t code) {
      gamelib::ScreenCanvas::lastKeyCode = code;
      gamelib::ScreenCanvas::keyPressedFlag = 1;
      const bool handled = keyboard->tick();
      gamelib::ScreenCanvas::keyPressedFlag = 0;
      drain();
      return handled;
    };
    EXPECT_TRUE(press('B'));
    EXPECT_TRUE(press('c'));  // its upper case is a key: typed as it came
    EXPECT_FALSE(press('z'));
    EXPECT_EQ(typed(keyboard), u"Bc");
  });
}

TEST(VirtualKeyboardTest, TestApplicationTypesByPointerAndDeviceKeysAndSubmitsFromTheMinimumLength) {
  GuiHost host;
  GUIVirtualKeyboardPtr keyboard;
  GUIWidgetPtr screen;
  auto centreOf = [&](int32_t id) {
    GUIWidgetPtr key = keyboard->findKey(id);
    const GUIRect r = key->toScreen({0, 0, key->getBounds().width, key->getBounds().height});
    return std::pair{r.x + r.width / 2, r.y + r.height / 2};
  };
  std::vector<GuiHost::Frame> frames{[] {}};
  auto click = [&](int32_t id) {
    frames.push_back([&, id] {
      auto [x, y] = centreOf(id);
      GuiHost::input().pointerPressed(x, y);
    });
    frames.push_back([&, id] {
      auto [x, y] = centreOf(id);
      GuiHost::input().pointerReleased(x, y);
    });
    for (int i = 0; i < 3; ++i) frames.push_back([] {});
  };
  click('V');
  click('A');
  click(GUIVirtualKeyboard::OkKeyId);  // too short yet
  frames.push_back([&] {
    EXPECT_EQ(typed(keyboard), u"VA");
    EXPECT_FALSE(screen->hasState(256));
    // A device key. Scripted input arrives inside a game step, after the
    // step's key pump: pump it as the next step would before the update.
    GuiHost::input().keyPressed('U');
    gamelib::ScreenCanvas::pumpKeyEvent();
  });
  frames.push_back([] { GuiHost::input().keyReleased('U'); });
  for (int i = 0; i < 3; ++i) frames.push_back([] {});
  click('L');
  click(GUIVirtualKeyboard::BackspaceKeyId);
  click('L');
  click('T');
  frames.push_back([&] {
    EXPECT_EQ(typed(keyboard), u"VAULT");
    GuiHost::dumpScreen("keyboard-typed");
  });
  click(GUIVirtualKeyboard::OkKeyId);
  frames.push_back([&] { EXPECT_TRUE(screen->hasState(256)); });
  host.run(
      [&] {
        screen = app::keyboardScreen();
        keyboard = app::keyboardOf(screen);
        GUIEngine::getInstance()->showScreen(screen);
      },
      frames);
}

}  // namespace
