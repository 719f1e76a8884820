// Events, states with their deferred commit, skins by state, key polling
// and the pointer hit test of GUIWidget.

#include <bit>

#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "guilib/HostCanvas.h"
#include "lang/DSystem.h"

namespace guilib {

namespace {

bool isKeyEvent(int32_t event) {
  return (event >= GUIWidget::SoftKey1Event && event <= GUIWidget::SoftKey2Event) ||
         (event >= GUIWidget::UpEvent && event <= GUIWidget::RightEvent);
}

}  // namespace

int32_t GUIWidget::bitCount(int32_t bits) { return std::popcount(static_cast<uint32_t>(bits)); }

bool GUIWidget::handleEvent(int32_t event, bool broadcast, const void* data, int32_t size) {
  GUIWidgetPtr keep(this);
  if (event == ShownEvent) {
    GUIActionPtr refresh = new GUIAction(GUIAction::Refresh, 0, keep, nullptr);
    refresh->run(this, event, data, size, defaultCallback_);
  }
  if (event == ResizedEvent) computeContentBounds();
  if (isKeyEvent(event) && !(state_ & Focused)) return false;
  bool handled = false;
  if (GUIActionPtr chain = getAction(event)) {
    chain->run(this, event, data, size, defaultCallback_);
    handled = true;
  }
  if (broadcast) {
    for (const std::vector<GUIWidgetPtr>& layer : layers_) {
      const std::vector<GUIWidgetPtr> children = layer;
      for (const GUIWidgetPtr& child : children)
        if (child->handleEvent(event, true, data, size)) handled = true;
    }
  }
  return handled;
}

GUIActionPtr GUIWidget::getAction(int32_t event) const {
  auto found = bindings_.find(event);
  return found == bindings_.end() ? nullptr : found->second;
}

void GUIWidget::putAction(int32_t event, const GUIActionPtr& action) {
  if (action)
    bindings_[event] = action;
  else
    bindings_.erase(event);
}

bool GUIWidget::addAction(int32_t event, const GUIActionPtr& action) {
  if (!action) return false;
  if (GUIActionPtr chain = getAction(event)) return chain->append(action);
  putAction(event, action);
  return true;
}

GUIActionPtr GUIWidget::setAction(int32_t event, int32_t type, int32_t param, qel::lang::DObjectPtr target,
                                  GUIAction::Callback callback) {
  return setSourcedAction(nullptr, event, type, param, std::move(target), callback);
}

GUIActionPtr GUIWidget::setSourcedAction(const GUIWidgetPtr& source, int32_t event, int32_t type, int32_t param,
                                         qel::lang::DObjectPtr target, GUIAction::Callback callback) {
  GUIActionPtr action = new GUIAction(type, param, std::move(target), callback);
  action->setSource(source);
  putAction(event, action);
  return action;
}

GUIActionPtr GUIWidget::addNewAction(int32_t event, int32_t type, int32_t param, qel::lang::DObjectPtr target,
                                     GUIAction::Callback callback) {
  return addSourcedAction(nullptr, event, type, param, std::move(target), callback);
}

GUIActionPtr GUIWidget::addSourcedAction(const GUIWidgetPtr& source, int32_t event, int32_t type, int32_t param,
                                         qel::lang::DObjectPtr target, GUIAction::Callback callback) {
  GUIActionPtr action = new GUIAction(type, param, std::move(target), callback);
  action->setSource(source);
  addAction(event, action);
  return action;
}

void GUIWidget::setState(int32_t mask, bool on) {
  if ((pendingState_ & mask) == (on ? mask : 0)) return;
  GUIWidgetPtr keep(this);
  if ((mask & Focused) && on) {
    if (!canTakeFocus()) return;
    if (parent_ && parent_->focusedChild_ && parent_->focusedChild_.get() != this) {
      GUIWidgetPtr previous = parent_->focusedChild_;
      if (previous->layer_ == 0) previous->setState(Focused, false);
      parent_->setFocusedChild(nullptr);
      parent_->focusLocked_ = true;
    }
  }
  pendingState_ = on ? (pendingState_ | mask) : (pendingState_ & ~mask);
  if (selectSkins(true) == 0) commitState();
}

void GUIWidget::setFocus(bool on) {
  if (layer_ == 0) setState(Focused, on);
}

bool GUIWidget::stateChanged(int32_t mask) const { return hasState(mask) != ((previousState_ & mask) == mask); }

bool GUIWidget::stateChangedTo(int32_t mask, bool on) const { return stateChanged(mask) && hasState(mask) == on; }

bool GUIWidget::canTakeFocus() const { return (state_ & Visible) && ((state_ & Enabled) || focusableWhenDisabled_); }

void GUIWidget::commitState() {
  GUIWidgetPtr keep(this);
  for (auto& [index, cell] : transitionSkins_) {
    cell->setFrame(0);
    cell->setFinished(false);
  }
  previousState_ = state_;
  state_ = pendingState_;
  selectSkins(false);
  const int32_t changed = previousState_ ^ state_;
  for (int32_t bit = 0; bit < 32; ++bit) {
    const int32_t value = static_cast<int32_t>(1u << bit);
    if (!(changed & value)) continue;
    handleEvent((state_ & value) ? StateOnEvent + bit : StateOffEvent + bit, false, nullptr, 0);
  }
  if ((changed & Focused) && (state_ & Focused) && parent_) {
    GUIWidgetPtr parent = parent_;
    GUIWidgetPtr previous = parent->focusedChild_;
    if (previous && previous.get() != this && previous->layer_ == 0) previous->setState(Focused, false);
    if (!(parent->pendingState_ & Focused) && parent->layer_ == 0) parent->setState(Focused, true);
    parent->setFocusedChild(keep);
  }
  if ((changed & Focused) && !(state_ & Focused) && parent_ && parent_->focusedChild_.get() == this)
    parent_->focusedChild_.release();
  if ((changed & Activated) && (state_ & Activated)) setState(Activated, false);
}

void GUIWidget::commitTransition() {
  if (state_ == pendingState_) return;
  for (const auto& [index, cell] : transitionSkins_)
    if (!cell->isFinished()) return;
  commitState();
}

void GUIWidget::addStateAnimation(int32_t index, const GUIAnimationPtr& cell, int32_t requiredState, int32_t mask) {
  std::vector<GUIWidgetAnimation>& candidates = skinSets_[index];
  std::erase_if(candidates,
                [&](const GUIWidgetAnimation& c) { return c.requiredState == requiredState && c.mask == mask; });
  if (cell) candidates.push_back({requiredState, mask, cell});
}

GUIAnimationPtr GUIWidget::animate(int32_t index, int32_t fill, int32_t border, int32_t requiredState, int32_t mask) {
  GUIAnimationPtr cell = new GUIAnimation(fill, border);
  addStateAnimation(index, cell, requiredState, mask);
  return cell;
}

int32_t GUIWidget::selectSkins(bool transition) {
  std::map<int32_t, GUIAnimationPtr>& chosen = transition ? transitionSkins_ : steadySkins_;
  chosen.clear();
  const int32_t s = transition ? pendingState_ : state_;
  for (const auto& [index, candidates] : skinSets_) {
    const GUIWidgetAnimation* best = nullptr;
    int32_t bestScore = 0;
    for (const GUIWidgetAnimation& candidate : candidates) {
      if (((candidate.mask & TransitionSkin) != 0) != transition) continue;
      int32_t bits = candidate.mask & INT32_MAX & ~(candidate.requiredState ^ s);
      if (transition) bits &= pendingState_ ^ state_;
      const int32_t score = bitCount(bits);
      if (!best || score > bestScore) {
        best = &candidate;
        bestScore = score;
      }
    }
    if (!best || (transition && bestScore == 0)) continue;
    chosen[index] = best->animation;
  }
  return static_cast<int32_t>(chosen.size());
}

GUIAnimation* GUIWidget::getSkin(int32_t index) const {
  const std::map<int32_t, GUIAnimationPtr>& table = state_ != pendingState_ ? transitionSkins_ : steadySkins_;
  auto found = table.find(index);
  return found == table.end() ? nullptr : found->second.get();
}

bool GUIWidget::tick() {
  struct KeyEvent {
    HostCanvas::Key key;
    int32_t event;
  };
  static constexpr KeyEvent keys[] = {{HostCanvas::Up, UpEvent},
                                      {HostCanvas::Down, DownEvent},
                                      {HostCanvas::Left, LeftEvent},
                                      {HostCanvas::Right, RightEvent},
                                      {HostCanvas::SoftKey1, SoftKey1Event},
                                      {HostCanvas::SoftKey2, SoftKey2Event},
                                      {HostCanvas::Fire, FireEvent}};
  GUIWidgetPtr keep(this);
  bool handled = false;
  for (const KeyEvent& key : keys) {
    if (!HostCanvas::keyHeld(key.key)) continue;
    if (handleEvent(key.event, false, nullptr, 0)) handled = true;
    lastTick_ = qel::lang::DSystem::currentTimeMillis(0);
  }
  if (HostCanvas::keyPressedFlag()) {
    const int32_t code = HostCanvas::lastKeyCode();
    if (handleEvent(CharacterEvent, false, &code, 4)) handled = true;
    lastTick_ = qel::lang::DSystem::currentTimeMillis(0);
  }
  return handled;
}

bool GUIWidget::anyChildTicks() {
  for (const std::vector<GUIWidgetPtr>& layer : layers_) {
    const std::vector<GUIWidgetPtr> children = layer;
    for (const GUIWidgetPtr& child : children)
      if (child->tickFocused()) return true;
  }
  return false;
}

bool GUIWidget::tickFocused() {
  if (!(state_ & Focused)) return false;
  GUIWidgetPtr keep(this);
  if (!childrenTickLast_ && anyChildTicks()) return true;
  if (qel::lang::DSystem::currentTimeMillis(0) > lastTick_ + tickPeriod_ && tick()) return true;
  return childrenTickLast_ && anyChildTicks();
}

void GUIWidget::offerPointerTarget(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!isShowing()) return;
  GUIEngine* engine = GUIEngine::getInstance().get();
  const bool press = engine->isJustPressed() && !ignoresPress_;
  const bool drag = !press && engine->getPointerState() == GUIEngine::DragStarted && !ignoresDrag_;
  if (!press && !drag) return;
  if (GUIRect::contains({x, y, w, h}, HostCanvas::pointerX(), HostCanvas::pointerY())) engine->setPointerTarget(this);
}

}  // namespace guilib
