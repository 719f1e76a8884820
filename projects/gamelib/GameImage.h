#pragma once

#include <cstdint>

#include "gamelib/GameImage.ptr.h"
#include "lang/DObject.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

class ImageManager;

// One rectangle of an image set's picture.
class GameImage : public qel::lang::DObject {
public:
  GameImage(ImageManager* owner, int32_t x, int32_t y, int32_t width, int32_t height);

  // Draws the frame with its top-left corner at (x, y), untransformed.
  void draw(qel::lcdui::DGraphicsPtr g, int32_t x, int32_t y);
  // Stores t and moves the rectangle into the picture turned by t (2, 5, 6).
  virtual void setTransform(int32_t t);

  int32_t x() const { return x_; }
  int32_t y() const { return y_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int32_t transform() const { return transform_; }
  // Null once the set that loaded the frame is gone.
  ImageManager* owner() const { return owner_; }

private:
  friend class ImageManager;

  ImageManager* owner_;
  int32_t x_, y_, width_, height_;
  int32_t transform_ = 0;
};

}  // namespace gamelib
