#include "guilib/GUIWidget.h"

#include <algorithm>
#include <utility>

#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/HostCanvas.h"
#include "lang/DExceptionBase.h"
#include "lang/DSystem.h"

namespace guilib {

namespace {

// The three layers are an array of three lists: any other index is refused.
size_t layerIndex(int32_t layer) {
  if (layer < 0 || layer > 2) qel::lang::throwException(qel::lang::ExceptionCode::ArrayIndexOutOfBounds);
  return static_cast<size_t>(layer);
}

}  // namespace

GUIWidget::GUIWidget(int32_t id) : id_(id), lastTick_(qel::lang::DSystem::currentTimeMillis(0)) {
  GUIEngine::getInstance()->registerWidget(this);
}

// A registered widget holds the registry's count, so only one whose subclass
// constructor threw is destroyed while still registered. That count stays
// unreleased while the widget leaves its parent and detaches its subtree,
// so those releases never free it a second time.
GUIWidget::~GUIWidget() {
  GUIEngine* engine = GUIEngine::existingInstance();
  if (!engine || !engine->forgetDestroyedWidget(this)) return;
  if (parent_) parent_->removeChild(GUIWidgetPtr(this));
  releaseLinks(true);
}

void GUIWidget::releaseLinks(bool detachChildren) {
  parent_.release();
  focusedChild_.release();
  for (std::vector<GUIWidgetPtr>& children : layers_) {
    // The list is moved out first: a detaching child removes itself from it.
    std::vector<GUIWidgetPtr> list = std::move(children);
    children.clear();
    for (const GUIWidgetPtr& child : list) {
      child->parent_.release();
      if (detachChildren) child->detach();
    }
  }
  bindings_.clear();
  skinSets_.clear();
  transitionSkins_.clear();
  steadySkins_.clear();
  text_.release();
}

void GUIWidget::dispose() {
  GUIWidgetPtr keep(this);
  releaseLinks(false);
  if (GUIEngine* engine = GUIEngine::existingInstance()) engine->unregisterWidget(this);
}

void GUIWidget::detach() {
  GUIWidgetPtr keep(this);
  if (parent_) parent_->removeChild(keep);
  releaseLinks(true);
  if (GUIEngine* engine = GUIEngine::existingInstance()) engine->unregisterWidget(this);
}

GUIWidgetPtr GUIWidget::addChild(GUIWidgetPtr child) {
  if (!child) child = new GUIWidget(-1);
  // A widget inside its own subtree would make every walk of the tree endless.
  for (const GUIWidget* widget = this; widget; widget = widget->parent_.get())
    if (widget == child.get()) qel::lang::throwException(qel::lang::ExceptionCode::IllegalArgument);
  if (child->parent_) child->parent_->removeChild(child);
  child->parent_ = this;
  layers_[child->layer_].push_back(child);
  return child;
}

bool GUIWidget::removeChild(const GUIWidgetPtr& child) {
  for (std::vector<GUIWidgetPtr>& children : layers_) {
    auto found = std::find(children.begin(), children.end(), child);
    if (found == children.end()) continue;
    GUIWidgetPtr removed = *found;
    children.erase(found);
    removed->parent_.release();
    return true;
  }
  return false;
}

const std::vector<GUIWidgetPtr>& GUIWidget::getChildren(int32_t layer) const { return layers_[layerIndex(layer)]; }

void GUIWidget::setLayer(int32_t layer) {
  layer_ = static_cast<int32_t>(layerIndex(layer));
  if (!parent_) return;
  GUIWidgetPtr self(this);
  for (std::vector<GUIWidgetPtr>& children : parent_->layers_) std::erase(children, self);
  parent_->layers_[layer_].push_back(self);
}

GUIWidgetPtr GUIWidget::findChildById(int32_t id, bool recursive) const {
  for (const std::vector<GUIWidgetPtr>& children : layers_)
    for (const GUIWidgetPtr& child : children) {
      if (child->id_ == id) return child;
      if (!recursive) continue;
      if (GUIWidgetPtr found = child->findChildById(id, true)) return found;
    }
  return nullptr;
}

void GUIWidget::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
  const GUIRect next{x, y, w, h};
  if (GUIRect::equals(bounds_, next)) return;
  if (x != bounds_.x || y != bounds_.y) setState(Moved, true);
  const int32_t rightMargin = bounds_.width - client_.x - client_.width;
  const int32_t bottomMargin = bounds_.height - client_.y - client_.height;
  bounds_ = next;
  setClientRect(client_.x, client_.y, w - client_.x - rightMargin, h - client_.y - bottomMargin, false);
  handleEvent(ResizedEvent, false, nullptr, 0);
}

void GUIWidget::setPosition(int32_t x, int32_t y) { setBounds(x, y, bounds_.width, bounds_.height); }

void GUIWidget::setSize(int32_t w, int32_t h) { setBounds(bounds_.x, bounds_.y, w, h); }

void GUIWidget::moveBy(int32_t dx, int32_t dy) {
  setBounds(bounds_.x + dx, bounds_.y + dy, bounds_.width, bounds_.height);
}

void GUIWidget::fillScreen() {
  const GUIRect screen = GUIEngine::getScreenRect();
  setBounds(screen.x, screen.y, screen.width, screen.height);
}

void GUIWidget::setClientRect(int32_t x, int32_t y, int32_t w, int32_t h, bool growBounds) {
  if (growBounds) {
    const int32_t rightMargin = bounds_.width - client_.x - client_.width;
    const int32_t bottomMargin = bounds_.height - client_.y - client_.height;
    client_ = {x, y, w, h};
    const int32_t width = x + w + rightMargin;
    const int32_t height = y + h + bottomMargin;
    if (width == bounds_.width && height == bounds_.height) return;
    bounds_.width = width;
    bounds_.height = height;
    handleEvent(ResizedEvent, false, nullptr, 0);
    return;
  }
  if (x + w >= bounds_.width) w = bounds_.width - x;
  if (y + h >= bounds_.height) h = bounds_.height - y;
  client_ = {x, y, w, h};
}

GUIRect GUIWidget::getBounds() {
  layout();
  return bounds_;
}

void GUIWidget::setAnchors(int32_t anchor, int32_t selfAnchor) {
  anchor_ = anchor;
  selfAnchor_ = selfAnchor;
}

GUIPoint GUIWidget::positionInParent(GUIPoint p, bool applyScroll) {
  int32_t areaW = HostCanvas::screenWidth();
  int32_t areaH = HostCanvas::screenHeight();
  if (parent_ && layer_ == 0) {
    areaW = parent_->client_.width;
    areaH = parent_->client_.height;
  } else if (parent_) {
    const GUIRect area = parent_->getBounds();
    areaW = area.width;
    areaH = area.height;
  }
  GUIPoint q{p.x + bounds_.x, p.y + bounds_.y};
  if ((anchor_ & 3) == AnchorRight) q.x += areaW;
  if ((anchor_ & 3) == AnchorCentreX) q.x += areaW >> 1;
  if ((anchor_ & 12) == AnchorBottom) q.y += areaH;
  if ((anchor_ & 12) == AnchorCentreY) q.y += areaH >> 1;
  if ((selfAnchor_ & 3) == AnchorRight) q.x -= bounds_.width;
  if ((selfAnchor_ & 3) == AnchorCentreX) q.x -= bounds_.width >> 1;
  if ((selfAnchor_ & 12) == AnchorBottom) q.y -= bounds_.height;
  if ((selfAnchor_ & 12) == AnchorCentreY) q.y -= bounds_.height >> 1;
  if (parent_ && layer_ == 0) q = parent_->contentToClient(q, applyScroll);
  return q;
}

GUIRect GUIWidget::positionRect(GUIRect r, bool applyScroll) {
  const GUIPoint p = positionInParent({r.x, r.y}, applyScroll);
  return {p.x, p.y, r.width, r.height};
}

GUIPoint GUIWidget::toScreenPoint(GUIPoint p) {
  for (GUIWidgetPtr widget(this); widget; widget = widget->parent_) p = widget->positionInParent(p, true);
  return p;
}

GUIRect GUIWidget::toScreen(GUIRect r) {
  const GUIPoint p = toScreenPoint({r.x, r.y});
  return {p.x, p.y, r.width, r.height};
}

GUIPoint GUIWidget::clientToContent(GUIPoint p, bool applyScroll) const {
  p.x -= client_.x;
  p.y -= client_.y;
  if (applyScroll) {
    p.x += scrollX_;
    p.y += scrollY_;
  }
  return p;
}

GUIPoint GUIWidget::contentToClient(GUIPoint p, bool applyScroll) const {
  p.x += client_.x;
  p.y += client_.y;
  if (applyScroll) {
    p.x -= scrollX_;
    p.y -= scrollY_;
  }
  return p;
}

void GUIWidget::setText(const qel::lang::DStringPtr& text) {
  if (!text) return;
  if (!text_) text_ = new GUIText();
  text_->setText(text);
}

void GUIWidget::setTextId(const qel::lang::DStringPtr& id) {
  if (!id) {
    text_.release();
    return;
  }
  if (!text_) text_ = new GUIText();
  text_->setStringId(id);
}

void GUIWidget::setGUIText(GUITextPtr text) { text_ = std::move(text); }

GUITextPtr GUIWidget::getGUIText() const { return text_; }

void GUIWidget::setPaintHooks(PrePaintHook before, PostPaintHook after) {
  prePaintHook_ = before;
  postPaintHook_ = after;
}

void GUIWidget::setUpdateHooks(UpdateHook first, SecondUpdateHook second) {
  updateHook_ = first;
  secondUpdateHook_ = second;
}

void GUIWidget::callUpdateHooks() {
  if (updateHook_ && updateHook_(*this)) return;
  if (secondUpdateHook_) secondUpdateHook_(*this);
}

}  // namespace guilib
