#include "guilib/GUIVScrollBar.h"

#include "guilib/GUIAction.h"

namespace guilib {

namespace {

GUIWidgetPtr part(int32_t anchors, bool sizedByBackground) {
  GUIWidgetPtr widget = new GUIWidget(-1);
  widget->setAnchors(anchors, anchors);
  widget->setLayer(1);
  widget->setSizeFromBackground(sizedByBackground);
  return widget;
}

}  // namespace

GUIVScrollBar::GUIVScrollBar(const GUIWidgetPtr& scrolled, int32_t keyStepUp, int32_t keyStepDown, int32_t buttonStepUp,
                             int32_t buttonStepDown, int32_t id)
    : GUIWidget(id) {
  GUIWidgetPtr keep(this);
  thumb_ = part(AnchorCentreX, true);
  thumb_->setAcceptsDrag(true);
  track_ = part(AnchorCentreX | AnchorCentreY, false);
  track_->addChild(thumb_);
  up_ = addChild(part(AnchorCentreX, true));
  down_ = addChild(part(AnchorCentreX | AnchorBottom, true));
  addChild(track_);

  up_->setSourcedAction(scrolled, PointerDownEvent, GUIAction::ScrollUp, buttonStepUp, nullptr, nullptr);
  down_->setSourcedAction(scrolled, PointerDownEvent, GUIAction::ScrollDown, buttonStepDown, nullptr, nullptr);
  track_->setSourcedAction(scrolled, PointerDownEvent, GUIAction::TrackPress, 0, thumb_, nullptr);
  thumb_->setSourcedAction(scrolled, DragEvent, GUIAction::ThumbDrag, 0, thumb_, nullptr);
  if (!scrolled) return;
  const int32_t halfContent = scrolled->getContentBounds().height >> 1;
  scrolled->setAction(ScrollChangedEvent, GUIAction::SyncScrollThumb, 0, thumb_, nullptr);
  scrolled->setAction(PageBackEvent, GUIAction::ScrollUp, keyStepUp != 0 ? keyStepUp : halfContent, nullptr, nullptr);
  scrolled->setAction(
      PageForwardEvent, GUIAction::ScrollDown, keyStepDown != 0 ? keyStepDown : halfContent, nullptr, nullptr);
}

GUIVScrollBar::~GUIVScrollBar() = default;

void GUIVScrollBar::callUpdateHooks() {
  if (UpdateHook first = getUpdateHook(); first && first(*this)) return;
  if (track_ && up_ && down_) {
    const GUIRect bar = getBounds();
    const int32_t height = bar.height - down_->getBounds().height - up_->getBounds().height;
    const GUIRect track = track_->getBounds();
    if (track.width != bar.width || track.height != height) track_->setSize(bar.width, height);
  }
  if (SecondUpdateHook second = getSecondUpdateHook()) second(*this);
}

void GUIVScrollBar::dispose() {
  GUIWidgetPtr keep(this);
  releaseParts();
  GUIWidget::dispose();
}

void GUIVScrollBar::releaseParts() {
  thumb_.release();
  track_.release();
  down_.release();
  up_.release();
}

}  // namespace guilib
