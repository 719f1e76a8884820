#include "gamelib/GameImage.h"

#include <utility>

#include "gamelib/ImageManager.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"

namespace gamelib {

GameImage::GameImage(ImageManager* owner, int32_t x, int32_t y, int32_t width, int32_t height)
    : owner_(owner), x_(x), y_(y), width_(width), height_(height) {}

void GameImage::draw(qel::lcdui::DGraphicsPtr g, int32_t x, int32_t y) {
  if (!owner_) qel::lang::throwNullPointer();
  owner_->drawFrame(std::move(g), this, x, y, 0, 0, false);
}

void GameImage::setTransform(int32_t t) {
  transform_ = t;
  int32_t w = owner_ ? owner_->imageWidth() : 0;
  int32_t h = owner_ ? owner_->imageHeight() : 0;
  int32_t oldX = x_, oldY = y_, oldWidth = width_, oldHeight = height_;
  if (t == 2) {
    x_ = w - width_ - x_;
  } else if (t == 5) {
    std::swap(width_, height_);
    y_ = oldX;
    x_ = h - oldHeight - oldY;
  } else if (t == 6) {
    std::swap(width_, height_);
    x_ = oldY;
    y_ = w - oldWidth - oldX;
  }
}

}  // namespace gamelib
