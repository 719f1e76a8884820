// Tab order, directional focus and refresh of GUIWidget.

#include <cstdlib>

#include "guilib/GUIWidget.h"

namespace guilib {

std::vector<GUIWidgetPtr> GUIWidget::focusCandidates() const {
  std::vector<GUIWidgetPtr> out;
  for (const GUIWidgetPtr& child : layers_[0])
    if (child->canTakeFocus() && child->tabIndex_ != -1) out.push_back(child);
  return out;
}

void GUIWidget::focusChild(const GUIWidgetPtr& child) {
  if (child && child->layer_ == 0) child->setState(Focused, true);
}

void GUIWidget::focusFirst() {
  if (focusLocked_) return;
  GUIWidgetPtr best;
  for (const GUIWidgetPtr& c : focusCandidates()) {
    if (!best || c->tabIndex_ < best->tabIndex_) best = c;
    if (c->tabIndex_ == 0) break;
  }
  focusChild(best);
}

void GUIWidget::focusLast() {
  if (focusLocked_) return;
  GUIWidgetPtr best;
  for (const GUIWidgetPtr& c : focusCandidates())
    if (!best || c->tabIndex_ > best->tabIndex_) best = c;
  focusChild(best);
}

void GUIWidget::focusNext() {
  if (focusLocked_) return;
  if (!focusedChild_) return focusFirst();
  const int32_t t = focusedChild_->tabIndex_;
  GUIWidgetPtr best;
  for (const GUIWidgetPtr& c : focusCandidates()) {
    if (c->tabIndex_ <= t) continue;
    if (!best || c->tabIndex_ < best->tabIndex_) best = c;
    if (c->tabIndex_ == t + 1) break;
  }
  if (!best) return focusFirst();
  focusChild(best);
}

void GUIWidget::focusPrevious() {
  if (focusLocked_) return;
  if (!focusedChild_) return focusLast();
  const int32_t t = focusedChild_->tabIndex_;
  GUIWidgetPtr best;
  for (const GUIWidgetPtr& c : focusCandidates()) {
    if (c->tabIndex_ >= t) continue;
    if (!best || c->tabIndex_ > best->tabIndex_) best = c;
    if (c->tabIndex_ == t - 1) break;
  }
  if (!best) return focusLast();
  focusChild(best);
}

void GUIWidget::focusAlong(bool vertical, bool towardSmaller) {
  if (focusLocked_) return;
  if (!focusedChild_) return focusFirst();
  const GUIRect f = focusedChild_->getBounds();
  auto along = [vertical](const GUIRect& r) { return vertical ? r.y : r.x; };
  auto across = [vertical](const GUIRect& r) { return vertical ? r.x : r.y; };
  auto inLine = [vertical](const GUIRect& a, const GUIRect& b) {
    return vertical ? GUIRect::overlapsX(a, b) : GUIRect::overlapsY(a, b);
  };
  // The nearest line ahead and the farthest line behind (for the wrap),
  // each preferring the smaller offset across.
  GUIWidgetPtr ahead, behind;
  GUIRect aheadRect, behindRect;
  for (const GUIWidgetPtr& c : focusCandidates()) {
    const GUIRect r = c->getBounds();
    if (along(r) == along(f)) continue;
    const bool isAhead = towardSmaller ? along(r) < along(f) : along(r) > along(f);
    GUIWidgetPtr& best = isAhead ? ahead : behind;
    GUIRect& bestRect = isAhead ? aheadRect : behindRect;
    const int64_t offset = std::abs(int64_t{across(f)} - across(r));
    if (!best) {
      if (!inLine(f, r)) continue;
    } else {
      // Moving toward smaller coordinates both picks keep the larger one:
      // the nearest line ahead, the farthest behind; and the other way round.
      const bool nearer = towardSmaller ? along(r) >= along(bestRect) : along(r) <= along(bestRect);
      if (!nearer || offset > std::abs(int64_t{across(f)} - across(bestRect))) continue;
    }
    best = c;
    bestRect = r;
  }
  if (ahead)
    focusChild(ahead);
  else if (behind)
    focusChild(behind);
  else
    focusFirst();
}

void GUIWidget::focusUp() { focusAlong(true, true); }
void GUIWidget::focusDown() { focusAlong(true, false); }
void GUIWidget::focusLeft() { focusAlong(false, true); }
void GUIWidget::focusRight() { focusAlong(false, false); }

void GUIWidget::refresh() {
  GUIWidgetPtr keep(this);
  computeContentBounds();
  selectSkins(false);
  layout();
  const std::vector<GUIWidgetPtr> content = layers_[0];
  for (auto child = content.rbegin(); child != content.rend(); ++child) {
    if (!((*child)->state_ & Focused)) continue;
    if (layer_ == 0) setState(Focused, true);
    setFocusedChild(*child);
    break;
  }
  scrollX_ = clampScrollX(targetScrollX_);
  scrollY_ = clampScrollY(targetScrollY_);
  scrollStep();
}

}  // namespace guilib
