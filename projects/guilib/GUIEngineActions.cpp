// The action queue of GUIEngine and the execution of each action type.

#include <algorithm>

#include "gamelib/SoundManager.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.h"
#include "microedition/media/DPlayer.h"
#include "microedition/midlet/DMIDlet.h"

namespace guilib {

namespace {

// The scrolled widget's scrollable height: content height minus view height.
int32_t scrollRange(GUIWidget& scrolled) {
  const int64_t range = int64_t{scrolled.getContentBounds().height} - scrolled.getClientRect().height;
  return static_cast<int32_t>(std::clamp<int64_t>(range, INT32_MIN, INT32_MAX));
}

// The thumb's travel in its track.
int32_t thumbTravel(GUIWidget& thumb, GUIWidget& track) {
  return track.getClientRect().height - thumb.getBounds().height;
}

// Twice from - to, saturated.
int32_t doubledDistance(int32_t from, int32_t to) {
  return static_cast<int32_t>(std::clamp<int64_t>((int64_t{from} - to) * 2, INT32_MIN, INT32_MAX));
}

}  // namespace

void GUIEngine::postAction(const GUIActionPtr& action) {
  if (action) actions_.push_back(action);
}

GUIActionPtr GUIEngine::takeNextAction() {
  GUIEnginePtr keep(this);
  while (!actions_.empty()) {
    GUIActionPtr action = std::move(actions_.front());
    actions_.pop_front();
    if (!action->preExecute()) return action;
  }
  return nullptr;
}

void GUIEngine::executeAction(const GUIActionPtr& action) {
  if (!action) return;
  GUIEnginePtr keep(this);
  GUIAction& a = *action;
  const GUIWidgetPtr source = a.getSource();
  const qel::lang::DObjectPtr target = a.getTarget();
  const GUIWidgetPtr targetWidget(dynamic_cast<GUIWidget*>(target.get()));
  const int32_t param = a.getParam();
  switch (a.getType()) {
    case GUIAction::ResendToSource: resend(a, false); break;
    case GUIAction::ResendToTopScreen: resend(a, true); break;
    case GUIAction::ShowScreen: showScreen(targetWidget); break;
    case GUIAction::CloseTopScreen: closeScreen(); break;
    case GUIAction::Refresh:
      if (!targetWidget) qel::lang::throwNullPointer();
      targetWidget->refresh();
      break;
    case GUIAction::AddToTopScreen:
      if (GUIWidgetPtr top = getTopScreen(); top && targetWidget) {
        top->addChild(targetWidget);
        targetWidget->handleEvent(GUIWidget::ShownEvent, true, nullptr, 0);
      }
      break;
    case GUIAction::Close: close(targetWidget); break;
    case GUIAction::FocusById: {
      GUIWidgetPtr top = getTopScreen();
      if (!top) qel::lang::throwNullPointer();
      if (GUIWidgetPtr found = top->findChildById(param, true)) found->setFocus(true);
      break;
    }
    default: break;
  }
  if (source) {
    switch (a.getType()) {
      case GUIAction::FocusNext: source->focusNext(); break;
      case GUIAction::FocusPrevious: source->focusPrevious(); break;
      case GUIAction::FocusUp: source->focusUp(); break;
      case GUIAction::FocusDown: source->focusDown(); break;
      case GUIAction::FocusLeft: source->focusLeft(); break;
      case GUIAction::FocusRight: source->focusRight(); break;
      case GUIAction::SetState: source->setState(param, true); break;
      case GUIAction::ClearState: source->setState(param, false); break;
      case GUIAction::ScrollUp: source->scrollUp(param); break;
      case GUIAction::ScrollDown: source->scrollDown(param); break;
      case GUIAction::ScrollLeft: source->scrollLeft(param); break;
      case GUIAction::ScrollRight: source->scrollRight(param); break;
      case GUIAction::ScrollToTop: source->scrollToTop(); break;
      case GUIAction::ScrollToBottom: source->scrollToBottom(); break;
      case GUIAction::ScrollToLeft: source->scrollToLeft(); break;
      case GUIAction::ScrollToRight: source->scrollToRight(); break;
      case GUIAction::SyncScrollThumb: syncScrollThumb(a); break;
      case GUIAction::TrackPress: pressTrack(a); break;
      case GUIAction::ThumbDrag: dragThumb(a); break;
      case GUIAction::TypeCharacter: source->handleEvent(GUIWidget::CharacterEvent, false, &param, 4); break;
      case GUIAction::DragScroll:
        if (a.getEventType() == GUIWidget::DragEvent && a.getEventData().size() >= 16)
          source->scrollBy(doubledDistance(a.eventInt(0, 0), a.eventInt(2, 0)),
                           doubledDistance(a.eventInt(1, 0), a.eventInt(3, 0)));
        break;
      default: break;
    }
  }
  switch (a.getType()) {
    case GUIAction::SetSfxVolume: setVolume(a, false); break;
    case GUIAction::SetMusicVolume: setVolume(a, true); break;
    case GUIAction::OpenAddress: openAddress(a); break;
    case GUIAction::Quit:
      closeAllScreens();
      if (qel::midlet::DMIDlet* midlet = qel::midlet::DMIDlet::current()) midlet->notifyDestroyed();
      break;
    default: break;
  }
}

void GUIEngine::resend(GUIAction& a, bool toTopScreen) {
  const GUIWidgetPtr receiver = toTopScreen ? getTopScreen() : a.getSource();
  if (!receiver) return;
  const int32_t event = a.getParam() != 0 ? a.getParam() : a.getEventType();
  const bool withData = event == a.getEventType() && !a.getEventData().empty();
  receiver->handleEvent(event,
                        toTopScreen,
                        withData ? a.getEventData().data() : nullptr,
                        withData ? static_cast<int32_t>(a.getEventData().size()) : 0);
}

// The thumb follows the scrolled widget's position; with nothing to scroll
// or no room to move, it rests at the top.
void GUIEngine::syncScrollThumb(GUIAction& a) {
  const GUIWidgetPtr source = a.getSource();
  const GUIWidgetPtr thumb(dynamic_cast<GUIWidget*>(a.getTarget().get()));
  if (!thumb || !thumb->getParent()) return;
  const int32_t range = scrollRange(*source);
  const int32_t travel = thumbTravel(*thumb, *thumb->getParent());
  const int64_t y = range > 0 ? int64_t{source->getScrollY()} * travel / range : 0;
  thumb->setPosition(thumb->getBounds().x, static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX)));
}

void GUIEngine::pressTrack(GUIAction& a) {
  if (a.getEventType() != GUIWidget::ClickEvent && a.getEventType() != GUIWidget::PointerDownEvent) return;
  if (a.getEventData().size() < 8) return;
  const GUIWidgetPtr source = a.getSource();
  const GUIWidgetPtr thumb(dynamic_cast<GUIWidget*>(a.getTarget().get()));
  const int32_t py = a.eventInt(1, 0);
  if (thumb) {
    if (!thumb->getParent()) return;
    const GUIRect t = thumb->getBounds();
    if (py <= t.y)
      source->handleEvent(GUIWidget::PageBackEvent, false, nullptr, 0);
    else if (py >= t.y + t.height)
      source->handleEvent(GUIWidget::PageForwardEvent, false, nullptr, 0);
    return;
  }
  const bool lowerHalf = py >= source->getBounds().height / 2;
  source->handleEvent(lowerHalf ? GUIWidget::PageForwardEvent : GUIWidget::PageBackEvent, false, nullptr, 0);
}

// The thumb's centre follows the pointer within the track; the scrolled
// widget jumps to the matching position. Without room for the thumb to
// move, or without anything to scroll, nothing moves.
void GUIEngine::dragThumb(GUIAction& a) {
  if (a.getEventType() != GUIWidget::DragEvent || a.getEventData().size() < 16) return;
  const GUIWidgetPtr source = a.getSource();
  const GUIWidgetPtr thumb(dynamic_cast<GUIWidget*>(a.getTarget().get()));
  if (!thumb || !thumb->getParent()) return;
  const int32_t travel = thumbTravel(*thumb, *thumb->getParent());
  if (travel <= 0) return;
  const GUIPoint p = thumb->positionInParent({a.eventInt(2, 0), a.eventInt(3, 0)}, false);
  const int32_t thumbY = std::clamp(p.y - thumb->getBounds().height / 2, 0, travel);
  const int64_t scroll = int64_t{scrollRange(*source)} * thumbY / travel;
  if (scroll < 0) return;
  source->jumpScrollY(static_cast<int32_t>(std::min<int64_t>(scroll, INT32_MAX)));
  thumb->setPosition(thumb->getBounds().x, thumbY);
}

void GUIEngine::setVolume(GUIAction& a, bool music) {
  if (a.getEventType() != GUIWidget::ValueEvent) return;
  if (!soundManager_) qel::lang::throwNullPointer();
  if (a.getEventData().size() < 4) return;
  const int32_t value = a.eventInt(0, 0);
  if (music)
    soundManager_->setMusicVolume(value);
  else
    soundManager_->setSfxVolume(value);
}

// The platform's answer is not needed: an address it cannot open is dropped.
void GUIEngine::openAddress(GUIAction& a) {
  qel::lang::DStringPtr url(dynamic_cast<qel::lang::DString*>(a.getTarget().get()));
  if (!url) return;
  if (url->view().find(u"://") == std::u16string_view::npos) url = qel::lang::DString::concat(u"http://", url);
  if (qel::midlet::DMIDlet* midlet = qel::midlet::DMIDlet::current()) midlet->platformRequest(url);
}

}  // namespace guilib
