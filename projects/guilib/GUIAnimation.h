#pragma once

#include <cstdint>

#include "gamelib/Animation.ptr.h"
#include "gamelib/ImageManager.ptr.h"
#include "guilib/GUIAnimation.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "microedition/raster/GUIRect.h"

namespace guilib {

using qel::raster::GUIRect;

// A drawable cell: an animation of an image set (one frame further per
// paint), a coloured rectangle, or a picture; painted once at a point or
// tiled over a box.
//
//   GUIAnimationPtr frame = new GUIAnimation(-1, 0x000000);  // outline only
//   frame->setSize(40, 20);
//   frame->paint(g, 10, 10);
class GUIAnimation : public qel::lang::DObject {
public:
  enum Kind : int32_t { ImageSetAnimation = 0, ColouredRectangle = 1, Picture = 2 };
  // Fill or border colour that draws nothing.
  static constexpr int32_t NoColour = -1;

  // A coloured rectangle (0xRRGGBB colours) of size 0 until setSize.
  GUIAnimation(int32_t fill, int32_t border);
  explicit GUIAnimation(qel::lcdui::DImagePtr image);
  GUIAnimation(gamelib::ImageManagerPtr images, int32_t animationIndex, bool looping);
  ~GUIAnimation() override;

  int32_t getKind() const { return kind_; }
  // The image set's animation at the index; null for the other kinds.
  gamelib::AnimationPtr getAnimation() const;
  // The rectangle recorded under key for the current frame; zeros when
  // there is none.
  GUIRect getFrameRect(int32_t key) const;
  // Width and height (x and y are 0): the animation's extent over all
  // frames, the picture's size, or zeros for a rectangle.
  GUIRect getSize() const;

  void paint(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, bool addOrigin = false, int32_t mask = 0,
             bool mirror = false);
  // A cell without size tiles nothing.
  void paintTiled(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h,
                  bool addOrigin = false);

  // Size of a coloured rectangle.
  void setSize(int32_t w, int32_t h) {
    width_ = w;
    height_ = h;
  }
  int32_t getFrame() const { return frame_; }
  // Frame and finished flag of an image-set animation; other kinds ignore them.
  void setFrame(int32_t frame);
  void setFinished(bool finished);
  // Always true for rectangles and pictures.
  bool isFinished() const;
  bool isTiled() const { return tiled_; }
  void setTiled(bool tiled) { tiled_ = tiled; }
  // Bits 0-1: 1 right, 2 centre; bits 2-3: 4 bottom, 8 centre.
  void setTilingAlignment(int32_t alignment) { tilingAlignment_ = alignment; }
  void setHidden(bool hidden) { hidden_ = hidden ? 1 : 0; }

private:
  // Draws the animation's current frame with its extent's corner at (x, y);
  // answers the next frame.
  // The frame after the current one, as painting it would answer.
  int32_t nextFrame(const gamelib::Animation& animation) const;
  int32_t paintFrame(const qel::lcdui::DGraphicsPtr& g, gamelib::Animation* animation, int32_t x, int32_t y,
                     int32_t mask, bool mirror);
  // After a frame was painted: the next frame, the finished flag, repaints.
  void advance(int32_t next);
  void paintRectangle(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) const;
  void moveByOrigin(int32_t& x, int32_t& y) const;

  int32_t kind_;
  gamelib::ImageManagerPtr images_;
  qel::lcdui::DImagePtr image_;
  int32_t fill_ = NoColour;
  int32_t border_ = NoColour;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t animationIndex_ = 0;
  int32_t frame_ = 0;
  bool looping_ = false;
  bool finished_ = false;
  bool tiled_ = true;
  int32_t tilingAlignment_ = 0;
  int32_t hidden_ = 0;
};

}  // namespace guilib
