// Content bounds and scrolling of GUIWidget.

#include <algorithm>
#include <cstdlib>

#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.h"
#include "guilib/HostCanvas.h"

namespace guilib {

namespace {

int32_t clampToInt(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Moves target by whole steps of n until it is no longer past scroll
// (above it for up, below it for down), as repeated subtraction would.
int32_t stepPast(int32_t target, int32_t scroll, int32_t n, bool up) {
  const int64_t distance = up ? int64_t{target} - scroll : int64_t{scroll} - target;
  const int64_t steps = (distance + n - 1) / n;
  return clampToInt(up ? target - steps * n : target + steps * n);
}

}  // namespace

void GUIWidget::ensureContent() {
  if (content_.isEmpty()) computeContentBounds();
}

GUIRect GUIWidget::getContentBounds() {
  ensureContent();
  return content_;
}

void GUIWidget::computeContentBounds() {
  content_ = {};
  for (const GUIWidgetPtr& child : layers_[0]) {
    if (!(child->state_ & Visible)) continue;
    const GUIPoint position = child->positionInParent({0, 0}, false);
    content_ = GUIRect::unionRect(content_, {position.x, position.y, child->bounds_.width, child->bounds_.height});
  }
  if (text_) content_.height = std::max(content_.height, text_->getHeight(client_.width));
  content_.x -= insetLeft_;
  content_.y -= insetTop_;
  content_.width += insetLeft_ + insetRight_;
  content_.height += insetTop_ + insetBottom_;
}

int32_t GUIWidget::clampScrollX(int32_t x) {
  ensureContent();
  return std::max(std::min(x, clampToInt(content_.right() - client_.width)), content_.x);
}

int32_t GUIWidget::clampScrollY(int32_t y) {
  ensureContent();
  return std::max(std::min(y, clampToInt(content_.bottom() - client_.height)), content_.y);
}

void GUIWidget::setTargetScroll(int32_t x, int32_t y) {
  targetScrollX_ = x;
  targetScrollY_ = y;
}

void GUIWidget::scrollBy(int32_t dx, int32_t dy) {
  targetScrollX_ = clampScrollX(clampToInt(int64_t{targetScrollX_} + dx));
  targetScrollY_ = clampScrollY(clampToInt(int64_t{targetScrollY_} + dy));
}

int32_t GUIWidget::normalisedStep(int32_t n, int32_t screenSize) {
  if (n == 0) n = screenSize / 8;
  return std::max(clampToInt(std::abs(int64_t{n})), 1);
}

void GUIWidget::scrollUp(int32_t n) {
  n = normalisedStep(n, HostCanvas::screenHeight());
  if (scrollY_ < targetScrollY_)
    targetScrollY_ = stepPast(targetScrollY_, scrollY_, n, true);
  else
    targetScrollY_ = clampToInt(int64_t{scrollY_} - n);
  targetScrollY_ = clampScrollY(targetScrollY_);
}

void GUIWidget::scrollDown(int32_t n) {
  n = normalisedStep(n, HostCanvas::screenHeight());
  if (scrollY_ > targetScrollY_)
    targetScrollY_ = stepPast(targetScrollY_, scrollY_, n, false);
  else
    targetScrollY_ = clampToInt(int64_t{scrollY_} + n);
  targetScrollY_ = clampScrollY(targetScrollY_);
}

void GUIWidget::scrollLeft(int32_t n) {
  if (n == 0) n = HostCanvas::screenWidth() / 8;
  const int64_t from = scrollX_ < targetScrollX_ ? targetScrollX_ : scrollX_;
  targetScrollX_ = clampScrollX(clampToInt(from - n));
}

void GUIWidget::scrollRight(int32_t n) {
  if (n == 0) n = HostCanvas::screenWidth() / 8;
  const int64_t from = scrollX_ > targetScrollX_ ? targetScrollX_ : scrollX_;
  targetScrollX_ = clampScrollX(clampToInt(from + n));
}

void GUIWidget::jumpScrollY(int32_t y) {
  scrollY_ = y;
  targetScrollY_ = y;
}

void GUIWidget::scrollToTop() { targetScrollY_ = getContentBounds().y; }

void GUIWidget::scrollToBottom() { targetScrollY_ = clampToInt(getContentBounds().bottom() - client_.height); }

void GUIWidget::scrollToLeft() { targetScrollX_ = getContentBounds().x; }

void GUIWidget::scrollToRight() { targetScrollX_ = clampToInt(getContentBounds().right() - client_.width); }

void GUIWidget::scrollStep() {
  // One axis: toward the clamped target by an eighth of the distance (at
  // least 1), or at once from three quarters of the client size.
  auto step = [this](int32_t& scroll, int32_t target, int32_t size, bool horizontal) {
    if (scroll == target) return false;
    const int32_t before = scroll;
    const int32_t clamped = horizontal ? clampScrollX(target) : clampScrollY(target);
    const int64_t distance = std::abs(int64_t{clamped} - scroll);
    if (distance < (size >> 2) + (size >> 1)) {
      const int64_t move = std::max<int64_t>(distance / 8, 1);
      if (clamped > scroll) scroll = clampToInt(scroll + move);
      if (clamped < scroll) scroll = clampToInt(scroll - move);
    } else {
      scroll = target;
    }
    scroll = horizontal ? clampScrollX(scroll) : clampScrollY(scroll);
    return scroll != before;
  };
  const bool movedX = step(scrollX_, targetScrollX_, client_.width, true);
  const bool movedY = step(scrollY_, targetScrollY_, client_.height, false);
  if (!movedX && !movedY) {
    targetScrollX_ = clampScrollX(targetScrollX_);
    targetScrollY_ = clampScrollY(targetScrollY_);
    return;
  }
  handleEvent(ScrollChangedEvent, false, nullptr, 0);
  GUIEngine::getInstance()->setRepaintNeeded();
}

void GUIWidget::scrollIntoView(const GUIWidgetPtr& child) {
  if (!child || child->parent_.get() != this) return;
  const GUIRect r = child->positionRect({0, 0, child->bounds_.width, child->bounds_.height}, true);
  GUIRect visible = client_;
  if (insetLeft_ || insetTop_ || insetRight_ || insetBottom_) {
    visible.x += insetLeft_;
    visible.y += insetTop_;
    visible.width -= insetLeft_ + insetRight_;
    visible.height -= insetTop_ + insetBottom_;
  }
  if (GUIRect::containsRect(visible, r)) return;
  const GUIPoint target =
      clientToContent({r.x + r.width / 2 - client_.width / 2, r.y + r.height / 2 - client_.height / 2}, true);
  setTargetScroll(target.x, target.y);
}

void GUIWidget::setFocusedChild(const GUIWidgetPtr& child) {
  focusedChild_ = child;
  focusLocked_ = false;
  scrollIntoView(child);
}

void GUIWidget::setContentInsets(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  insetLeft_ = left;
  insetTop_ = top;
  insetRight_ = right;
  insetBottom_ = bottom;
}

}  // namespace guilib
