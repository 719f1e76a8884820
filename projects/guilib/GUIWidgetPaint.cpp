// The update and paint passes of GUIWidget and its skin painting.

#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.h"

namespace guilib {

void GUIWidget::update(const GUIRect& clip, int32_t originX, int32_t originY) {
  GUIRect abs = positionRect({0, 0, bounds_.width, bounds_.height}, true);
  abs.x += originX;
  abs.y += originY;
  const GUIRect childClip =
      GUIRect::intersect({abs.x + client_.x, abs.y + client_.y, client_.width, client_.height}, clip);
  offerPointerTarget(abs.x, abs.y, bounds_.width, bounds_.height);
  callUpdateHooks();
  scrollStep();
  updateLayer(0, childClip, abs.x, abs.y);
  updateLayer(1, clip, abs.x, abs.y);
  updateLayer(2, clip, abs.x, abs.y);
  setState(Moved, false);
}

void GUIWidget::updateLayer(int32_t layer, const GUIRect& clip, int32_t originX, int32_t originY) {
  if (!isShowing()) return;
  // A copy: an update may change the list.
  const std::vector<GUIWidgetPtr> children = layers_[layer];
  for (auto child = children.rbegin(); child != children.rend(); ++child) (*child)->update(clip, originX, originY);
}

void GUIWidget::paint(const qel::lcdui::DGraphicsPtr& g, int32_t originX, int32_t originY) {
  if (!isShowing()) return;
  if (prePaintHook_ && prePaintHook_(*this, g)) return;
  GUIWidgetPtr keep(this);
  const GUIRect saved = GUIEngine::getClip(g);
  layout();
  GUIRect abs = positionRect({0, 0, bounds_.width, bounds_.height}, true);
  abs.x += originX;
  abs.y += originY;
  const bool transition = state_ != pendingState_;
  if (GUIRect::overlaps(abs, GUIEngine::getScreenRect()) || transition) {
    paintFrameInterior(g, abs.x, abs.y, abs.width, abs.height);
    GUIEngine::clipRect(g, abs.x + client_.x, abs.y + client_.y, client_.width, client_.height);
    if (!GUIEngine::getClip(g).isEmpty() || transition) {
      paintBackground(g, abs.x + client_.x, abs.y + client_.y, client_.width, client_.height);
      paintText(g, abs.x + client_.x, abs.y + client_.y, client_.width, client_.height);
      const std::vector<GUIWidgetPtr> content = layers_[0];
      for (const GUIWidgetPtr& child : content) child->paint(g, abs.x, abs.y);
    }
    GUIEngine::setClip(g, saved);
    paintBorder(g, abs.x, abs.y, abs.width, abs.height);
    const std::vector<GUIWidgetPtr> decoration = layers_[1];
    for (const GUIWidgetPtr& child : decoration) child->paint(g, abs.x, abs.y);
  }
  commitTransition();
  if (postPaintHook_) postPaintHook_(*this, g);
}

void GUIWidget::paintOverlay(const qel::lcdui::DGraphicsPtr& g, int32_t originX, int32_t originY) {
  if (!(state_ & Visible)) return;
  const GUIRect position = positionRect({0, 0, bounds_.width, bounds_.height}, true);
  const std::vector<GUIWidgetPtr> overlay = layers_[2];
  for (const GUIWidgetPtr& child : overlay) child->paint(g, originX + position.x, originY + position.y);
}

void GUIWidget::layout() {
  if (!sizeFromBackground_) return;
  GUIAnimation* background = getSkin(Background);
  if (!background) return;
  const GUIRect size = background->getSize();
  if (size.width != client_.width || size.height != client_.height)
    setClientRect(client_.x, client_.y, size.width, size.height, true);
}

GUIRect GUIWidget::skinSize(int32_t index) const {
  GUIAnimation* cell = getSkin(index);
  return cell ? cell->getSize() : GUIRect{};
}

void GUIWidget::tileSkin(const qel::lcdui::DGraphicsPtr& g, int32_t index, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (GUIAnimation* cell = getSkin(index)) cell->paintTiled(g, x, y, w, h);
}

void GUIWidget::drawSkin(const qel::lcdui::DGraphicsPtr& g, int32_t index, int32_t x, int32_t y) {
  if (GUIAnimation* cell = getSkin(index)) cell->paint(g, x, y);
}

void GUIWidget::paintBorder(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  GUIRect s[8];
  for (int32_t i = 0; i < 8; ++i) s[i] = skinSize(i);
  tileSkin(g, LeftEdge, x, y + s[TopLeft].height, s[LeftEdge].width, h - s[BottomLeft].height - s[TopLeft].height);
  tileSkin(g,
           RightEdge,
           x + w - s[RightEdge].width,
           y + s[TopRight].height,
           s[RightEdge].width,
           h - s[TopRight].height - s[BottomRight].height);
  tileSkin(g, TopEdge, x + s[TopLeft].width, y, w - s[TopLeft].width - s[TopRight].width, s[TopEdge].height);
  tileSkin(g,
           BottomEdge,
           x + s[BottomLeft].width,
           y + h - s[BottomEdge].height,
           w - s[BottomLeft].width - s[BottomRight].width,
           s[BottomEdge].height);
  drawSkin(g, TopLeft, x, y);
  drawSkin(g, TopRight, x + w - s[TopRight].width, y);
  drawSkin(g, BottomLeft, x, y + h - s[BottomLeft].height);
  drawSkin(g, BottomRight, x + w - s[BottomRight].width, y + h - s[BottomRight].height);
}

void GUIWidget::paintFrameInterior(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!interiorFillsBounds_) {
    const GUIRect left = skinSize(LeftEdge), right = skinSize(RightEdge);
    const GUIRect top = skinSize(TopEdge), bottom = skinSize(BottomEdge);
    x += left.width;
    w -= left.width + right.width;
    y += top.height;
    h -= top.height + bottom.height;
  }
  tileSkin(g, Interior, x, y, w, h);
}

void GUIWidget::paintBackground(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  GUIAnimation* background = getSkin(Background);
  if (!background) return;
  if (background->isTiled())
    background->paintTiled(g, x, y, w, h);
  else
    background->paint(g, x, y);
}

void GUIWidget::paintText(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!text_) return;
  GUIRect box{x, y, w, h};
  if (GUIAnimation* background = getSkin(Background)) {
    const GUIRect area = background->getFrameRect(textAreaKey_);
    if (!area.isEmpty()) box = {x + area.x, y + area.y, area.width, area.height};
  }
  const GUIRect saved = GUIEngine::getClip(g);
  GUIEngine::clipRect(g, box.x, box.y, box.width, box.height);
  text_->paint(g, box.x - scrollX_, box.y - scrollY_, box.width, box.height);
  GUIEngine::setClip(g, saved);
}

}  // namespace guilib
