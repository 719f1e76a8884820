#pragma once

#include <string>

#include "guilib/GUIAction.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIMessageBox.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextBox.h"
#include "guilib/GUIVScrollBar.h"
#include "guilib/GUIVirtualKeyboard.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

// The screens of a small application on the widget library, skinned with
// coloured rectangles and a 12-pixel monospace face.
namespace test_application {

inline constexpr int32_t MessageBoxId = 1;
inline constexpr int32_t ScrollBarWidth = 12;
inline constexpr int32_t ButtonHeight = 12;
inline constexpr int32_t ThumbHeight = 24;
inline constexpr int32_t SoftKeyWidth = 60;
inline constexpr int32_t SoftKeyHeight = 20;

inline void useMonospaceFont() {
  guilib::GUIEngine::getInstance()->setDefaultStyle(new guilib::GUIFont(
      qel::lcdui::DFont::getFont(qel::lcdui::DFont::FACE_MONOSPACE, 0, 12, qel::lcdui::DFont::SIZE_IN_PIXELS),
      0xFFFFFF));
}

// A plain picture as the background cell, so that widgets sized by their
// background take its size.
inline void skin(const guilib::GUIWidgetPtr& widget, uint32_t fill, int32_t width, int32_t height) {
  qel::lcdui::DImagePtr picture = qel::lcdui::DImage::createImage(width, height);
  qel::lcdui::DGraphicsPtr g = picture->getGraphics();
  g->setColor(fill);
  g->fillRect(0, 0, width, height);
  widget->addStateAnimation(guilib::GUIWidget::Background, new guilib::GUIAnimation(picture), 0, 0);
}

// Forty numbered lines; the scroll bar covers the area's right edge.
inline std::u16string longMessage() {
  std::u16string text;
  for (int line = 1; line <= 40; ++line) {
    const std::string number = std::to_string(line);
    text += u"<p>Line " + std::u16string(number.begin(), number.end()) + u" of the vault log</p>";
  }
  return text;
}

// A message box with a long text: the soft keys set state bits 256 (left)
// and 512 (right) on the box, down and up also scroll the text by 24.
inline guilib::GUIMessageBoxPtr messageBox(const std::u16string& text) {
  using guilib::GUIAction;
  using guilib::GUIWidget;
  useMonospaceFont();
  guilib::GUIMessageBoxPtr box = new guilib::GUIMessageBox(MessageBoxId);
  box->animate(GUIWidget::Background, 0x102030, -1, 0, 0);
  guilib::GUIWidgetPtr area = box->getTextArea();
  area->getGUIText()->setText(new qel::lang::DString(text));
  area->getGUIText()->setAlignment(0);
  area->computeContentBounds();
  for (const guilib::GUIWidgetPtr& key : {box->getLeftSoftKey(), box->getRightSoftKey()}) {
    skin(key, 0x406080, SoftKeyWidth, SoftKeyHeight);
    key->getGUIText()->setText(new qel::lang::DString(key == box->getLeftSoftKey() ? u"Back" : u"More"));
  }
  box->setSourcedAction(box, GUIWidget::SoftKey1Event, GUIAction::SetState, 256, nullptr, nullptr);
  box->setSourcedAction(box, GUIWidget::SoftKey2Event, GUIAction::SetState, 512, nullptr, nullptr);
  box->addSourcedAction(area, GUIWidget::DownEvent, GUIAction::ScrollDown, 24, nullptr, nullptr);
  box->addSourcedAction(area, GUIWidget::UpEvent, GUIAction::ScrollUp, 24, nullptr, nullptr);

  guilib::GUIVScrollBarPtr bar = box->getScrollBar();
  bar->setSize(ScrollBarWidth, area->getBounds().height);
  skin(bar->getUpButton(), 0x80C0FF, ScrollBarWidth, ButtonHeight);
  skin(bar->getDownButton(), 0x80C0FF, ScrollBarWidth, ButtonHeight);
  bar->getTrack()->animate(GUIWidget::Background, 0x303030, -1, 0, 0);
  skin(bar->getThumb(), 0xE0E0E0, ScrollBarWidth, ThumbHeight);
  return box;
}

inline constexpr int32_t KeyboardScreenId = 2;
inline constexpr int32_t KeyboardId = 3;

// A keyboard of the letters under a title; a name of at least four letters
// submitted sets state bit 256 on the screen.
inline guilib::GUIWidgetPtr keyboardScreen() {
  using guilib::GUIAction;
  using guilib::GUIWidget;
  useMonospaceFont();
  guilib::GUIWidgetPtr screen = new GUIWidget(KeyboardScreenId);
  screen->fillScreen();
  screen->animate(GUIWidget::Background, 0x102030, -1, 0, 0);
  screen->setText(new qel::lang::DString(u"<p>Name the vault</p>"));
  guilib::GUIVirtualKeyboardPtr keyboard = new guilib::GUIVirtualKeyboard(KeyboardId, true);
  keyboard->setKeys(new qel::lang::DString(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  keyboard->setAnchors(GUIWidget::AnchorBottom, GUIWidget::AnchorBottom);
  keyboard->setBounds(0, 0, 240, 200);
  keyboard->setTabIndex(0);
  guilib::GUITextBoxPtr box = keyboard->getTextBox();
  box->setMinimumLength(4);
  box->setSourcedAction(screen, GUIWidget::SubmitEvent, GUIAction::SetState, 256, nullptr, nullptr);
  screen->addChild(keyboard);
  return screen;
}

inline guilib::GUIVirtualKeyboardPtr keyboardOf(const guilib::GUIWidgetPtr& screen) {
  return guilib::GUIVirtualKeyboardPtr(
      dynamic_cast<guilib::GUIVirtualKeyboard*>(screen->findChildById(KeyboardId, false).get()));
}

}  // namespace test_application
