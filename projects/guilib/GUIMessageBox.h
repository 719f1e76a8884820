#pragma once

#include <cstdint>

#include "guilib/GUIMessageBox.ptr.h"
#include "guilib/GUIModalScreen.h"
#include "guilib/GUIVScrollBar.h"

namespace guilib {

// A modal screen with a centred text area (the screen's width, three
// quarters of its height) and a scroll bar at the right edge scrolling it.
//
//   GUIMessageBoxPtr box = new GUIMessageBox(1);
//   box->getTextArea()->getGUIText()->setText(message);
//   engine->showScreen(box);
class GUIMessageBox : public GUIModalScreen {
public:
  explicit GUIMessageBox(int32_t id);
  ~GUIMessageBox() override;

  GUIWidgetPtr getTextArea() const { return textArea_; }
  GUIVScrollBarPtr getScrollBar() const { return scrollBar_; }

private:
  GUIWidgetPtr textArea_;
  GUIVScrollBarPtr scrollBar_;
};

}  // namespace guilib
