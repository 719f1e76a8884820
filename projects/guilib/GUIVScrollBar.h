#pragma once

#include <cstdint>

#include "guilib/GUIVScrollBar.ptr.h"
#include "guilib/GUIWidget.h"

namespace guilib {

// A vertical scroll bar for another widget: up and down buttons, and a
// track between them holding a dragged thumb. Every part is wired to the
// scrolled widget with actions; the bar itself only keeps the track sized
// between the buttons. The application gives the bar its size and the
// parts their skins (the buttons and the thumb take their size from their
// background cell).
//
//   GUIVScrollBarPtr bar = new GUIVScrollBar(view, 0, 0, 0, 0, -1);
//   bar->setSize(12, view->getBounds().height);
//   bar->getThumb()->animate(GUIWidget::Background, 0x808080, -1, 0, 0);
class GUIVScrollBar : public GUIWidget {
public:
  // Key steps (page back and forward of the scrolled widget) of 0 are half
  // its content height now; button steps of 0 an eighth of the screen.
  GUIVScrollBar(const GUIWidgetPtr& scrolled, int32_t keyStepUp, int32_t keyStepDown, int32_t buttonStepUp,
                int32_t buttonStepDown, int32_t id);
  ~GUIVScrollBar() override;

  // The first hook, the track sized between the buttons, the second hook.
  void callUpdateHooks() override;
  void dispose() override;

  GUIWidgetPtr getUpButton() const { return up_; }
  GUIWidgetPtr getDownButton() const { return down_; }
  GUIWidgetPtr getTrack() const { return track_; }
  GUIWidgetPtr getThumb() const { return thumb_; }

private:
  void releaseParts();

  GUIWidgetPtr up_;
  GUIWidgetPtr down_;
  GUIWidgetPtr track_;
  GUIWidgetPtr thumb_;
};

}  // namespace guilib
