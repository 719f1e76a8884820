#include "guilib/GUIModalScreen.h"

#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"

namespace guilib {

namespace {

// A label sized by its background cell, on the overlay, so never focused.
GUIWidgetPtr softKey(int32_t anchors, int32_t event) {
  GUIWidgetPtr key = new GUIWidget(-1);
  key->setSizeFromBackground(true);
  GUITextPtr label = new GUIText();
  label->setAlignment(GUIWidget::AnchorCentreX | GUIWidget::AnchorCentreY);
  key->setGUIText(label);
  key->setLayer(2);
  key->setAnchors(anchors, anchors);
  key->setAction(GUIWidget::ClickEvent, GUIAction::ResendToTopScreen, event, nullptr, nullptr);
  return key;
}

}  // namespace

GUIModalScreen::GUIModalScreen(int32_t id) : GUIWidget(id) {
  GUIWidgetPtr keep(this);
  const GUIRect screen = GUIEngine::getScreenRect();
  setBounds(screen.x, screen.y, screen.width, screen.height);
  leftSoftKey_ = softKey(AnchorBottom, SoftKey1Event);
  rightSoftKey_ = softKey(AnchorBottom | AnchorRight, SoftKey2Event);
  setAction(DownEvent, GUIAction::FocusNext, 0, nullptr, nullptr);
  setAction(UpEvent, GUIAction::FocusPrevious, 0, nullptr, nullptr);
  addChild(leftSoftKey_);
  addChild(rightSoftKey_);
}

GUIModalScreen::~GUIModalScreen() = default;

void GUIModalScreen::dispose() {
  GUIWidgetPtr keep(this);
  leftSoftKey_.release();
  rightSoftKey_.release();
  GUIWidget::dispose();
}

}  // namespace guilib
