#include "guilib/GUIMessageBox.h"

#include "guilib/GUIText.h"
#include "guilib/HostCanvas.h"
#include "lang/DString.h"

namespace guilib {

GUIMessageBox::GUIMessageBox(int32_t id) : GUIModalScreen(id) {
  GUIWidgetPtr keep(this);
  constexpr int32_t centred = AnchorCentreX | AnchorCentreY;
  textArea_ = new GUIWidget(-1);
  textArea_->setSize(HostCanvas::screenWidth(), (HostCanvas::screenHeight() * 3) >> 2);
  textArea_->setText(new qel::lang::DString(u""));
  textArea_->getGUIText()->setAlignment(centred);
  textArea_->setAnchors(centred, centred);
  addChild(textArea_);
  scrollBar_ = new GUIVScrollBar(textArea_, 0, 0, 0, 0, -1);
  scrollBar_->setAnchors(AnchorRight | AnchorCentreY, AnchorRight | AnchorCentreY);
  // On the decoration layer the bar takes the pointer before the text area,
  // which spans it; it is still painted after the text and never scrolls.
  scrollBar_->setLayer(1);
  addChild(scrollBar_);
}

GUIMessageBox::~GUIMessageBox() = default;

}  // namespace guilib
