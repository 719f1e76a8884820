#include "guilib/GUIAnimation.h"

#include <algorithm>
#include <utility>

#include "gamelib/Animation.h"
#include "gamelib/ImageManager.h"
#include "guilib/GUIEngine.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace guilib {

namespace {

void requestRepaint() {
  if (GUIEngine* engine = GUIEngine::existingInstance()) engine->setRepaintNeeded();
}

// Offset of the tile grid's first row or column inside a box of the given size.
int32_t gridStart(int32_t alignment, int32_t far, int32_t centre, int32_t box, int32_t cell) {
  const int32_t rest = box % cell;
  if (alignment == far) return rest - cell;
  if (alignment == centre && rest != 0) return rest / 2 - cell / 2;
  return 0;
}

}  // namespace

GUIAnimation::GUIAnimation(int32_t fill, int32_t border) : kind_(ColouredRectangle), fill_(fill), border_(border) {}

GUIAnimation::GUIAnimation(qel::lcdui::DImagePtr image) : kind_(Picture), image_(std::move(image)) {}

GUIAnimation::GUIAnimation(gamelib::ImageManagerPtr images, int32_t animationIndex, bool looping)
    : kind_(ImageSetAnimation), images_(std::move(images)), animationIndex_(animationIndex), looping_(looping) {}

GUIAnimation::~GUIAnimation() = default;

gamelib::AnimationPtr GUIAnimation::getAnimation() const {
  if (kind_ != ImageSetAnimation || !images_) return nullptr;
  if (animationIndex_ < 0 || animationIndex_ >= images_->animationCount()) return nullptr;
  return images_->getAnimation(animationIndex_);
}

GUIRect GUIAnimation::getFrameRect(int32_t key) const {
  GUIRect rect;
  gamelib::AnimationPtr animation = getAnimation();
  if (animation && !animation->findFrameRect(key, frame_, rect.x, rect.y, rect.width, rect.height)) rect = {};
  return rect;
}

GUIRect GUIAnimation::getSize() const {
  if (kind_ == Picture && image_) return {0, 0, image_->getWidth(), image_->getHeight()};
  gamelib::AnimationPtr animation = getAnimation();
  if (!animation || animation->frameCount() <= 0) return {};
  // An animation without parts has an inverted extent: no size.
  const int64_t w = int64_t{animation->extentRight()} - animation->extentLeft();
  const int64_t h = int64_t{animation->extentBottom()} - animation->extentTop();
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return {};
  return {0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

void GUIAnimation::setFrame(int32_t frame) {
  if (kind_ == ImageSetAnimation) frame_ = frame;
}

void GUIAnimation::setFinished(bool finished) {
  if (kind_ == ImageSetAnimation) finished_ = finished;
}

bool GUIAnimation::isFinished() const { return kind_ != ImageSetAnimation || finished_; }

void GUIAnimation::moveByOrigin(int32_t& x, int32_t& y) const {
  gamelib::AnimationPtr animation = getAnimation();
  if (!animation) return;
  x += animation->box().x;
  y += animation->box().y;
}

int32_t GUIAnimation::paintFrame(const qel::lcdui::DGraphicsPtr& g, gamelib::Animation* animation, int32_t x, int32_t y,
                                 int32_t mask, bool mirror) {
  return images_->paintAnimation(
      g, animation, x - animation->extentLeft(), y - animation->extentTop(), frame_, mask, mirror);
}

int32_t GUIAnimation::nextFrame(const gamelib::Animation& animation) const {
  const int32_t next = std::max(frame_, 0) + 1;
  return next < animation.frameCount() ? next : 0;
}

void GUIAnimation::advance(int32_t next) {
  finished_ = !looping_ && next == 0;
  if (finished_) return;
  requestRepaint();
  frame_ = next;
}

void GUIAnimation::paintRectangle(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) const {
  if (w <= 0 || h <= 0) return;
  const uint32_t saved = g->getColor();
  if (fill_ != NoColour) {
    g->setColor(static_cast<uint32_t>(fill_));
    g->fillRect(x, y, w, h);
  }
  if (border_ != NoColour) {
    g->setColor(static_cast<uint32_t>(border_));
    g->drawRect(x, y, w - 1, h - 1);
  }
  g->setColor(saved);
}

void GUIAnimation::paint(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, bool addOrigin, int32_t mask,
                         bool mirror) {
  switch (kind_) {
    case ImageSetAnimation: {
      if (hidden_) {
        frame_ = 0;
        return;
      }
      gamelib::AnimationPtr animation = getAnimation();
      if (!animation || animation->frameCount() <= 0) return;
      if (addOrigin) moveByOrigin(x, y);
      advance(paintFrame(g, animation.get(), x, y, mask, mirror));
      return;
    }
    case ColouredRectangle: paintRectangle(g, x, y, width_, height_); return;
    case Picture:
      if (image_ && !hidden_) g->drawImage(image_, x, y, 0, 0);
      return;
    default: return;
  }
}

void GUIAnimation::paintTiled(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h,
                              bool addOrigin) {
  const GUIRect saved = GUIEngine::getClip(g);
  GUIEngine::clipRect(g, x, y, w, h);
  if (addOrigin && kind_ == ImageSetAnimation) moveByOrigin(x, y);
  if (kind_ == ColouredRectangle) {
    paintRectangle(g, x, y, w, h);
  } else if (!hidden_) {
    const GUIRect cell = getSize();
    gamelib::AnimationPtr animation = getAnimation();
    const bool drawable = kind_ == Picture ? image_ != nullptr : animation != nullptr;
    if (drawable && cell.width > 0 && cell.height > 0) {
      // Tiles outside the clip would draw nothing: the grid is walked
      // from the first tile the clip reaches to the last.
      const GUIRect clip = GUIEngine::getClip(g);
      const int64_t left = int64_t{x} + gridStart(tilingAlignment_ & 3, 1, 2, w, cell.width);
      const int64_t top = int64_t{y} + gridStart(tilingAlignment_ & 12, 4, 8, h, cell.height);
      const int64_t firstColumn = left + std::max<int64_t>(0, (clip.x - left) / cell.width) * cell.width;
      const int64_t firstRow = top + std::max<int64_t>(0, (clip.y - top) / cell.height) * cell.height;
      const int64_t right = std::min(int64_t{x} + w, clip.right());
      const int64_t bottom = std::min(int64_t{y} + h, clip.bottom());
      for (int64_t row = firstRow; row < bottom; row += cell.height)
        for (int64_t column = firstColumn; column < right; column += cell.width) {
          const auto tileX = static_cast<int32_t>(column);
          const auto tileY = static_cast<int32_t>(row);
          if (kind_ == Picture)
            g->drawImage(image_, tileX, tileY, 0, 0);
          else
            paintFrame(g, animation.get(), tileX, tileY, 0, false);
        }
      // The frame advances even with no tile inside the clip, so that
      // transitions finish.
      if (kind_ == ImageSetAnimation && w > 0 && h > 0) advance(nextFrame(*animation));
    }
  } else if (kind_ == ImageSetAnimation) {
    frame_ = 0;
  }
  GUIEngine::setClip(g, saved);
}

}  // namespace guilib
