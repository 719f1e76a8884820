#pragma once

#include <cstdint>

#include "guilib/GUIModalScreen.ptr.h"
#include "guilib/GUIWidget.h"

namespace guilib {

// A full-screen widget with two soft-key buttons in the bottom corners of
// its overlay. Pressing one sends soft-key event 1 (left) or 3 (right) to
// the top screen, where the application's actions decide what it does;
// down and up move the focus among the screen's children.
//
//   GUIModalScreenPtr screen = new GUIModalScreen(1);
//   screen->getLeftSoftKey()->getGUIText()->setText(u"Back");
//   screen->setAction(GUIWidget::SoftKey1Event, GUIAction::CloseTopScreen, 0, nullptr, nullptr);
class GUIModalScreen : public GUIWidget {
public:
  explicit GUIModalScreen(int32_t id);
  ~GUIModalScreen() override;
  // Drops the soft keys, then the widget's references.
  void dispose() override;

  // Null once disposed.
  GUIWidgetPtr getLeftSoftKey() const { return leftSoftKey_; }
  GUIWidgetPtr getRightSoftKey() const { return rightSoftKey_; }

private:
  GUIWidgetPtr leftSoftKey_;
  GUIWidgetPtr rightSoftKey_;
};

}  // namespace guilib
