#pragma once

#include <cstdint>

#include "gamelib/Animation.ptr.h"
#include "gamelib/GameImage.ptr.h"
#include "gamelib/ImageManager.ptr.h"
#include "io/DDataInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"

namespace gamelib {

// An image set: one picture cut into rectangles (GameImage) and the
// animations composed of them, read from name + ".bin" and the picture name.
//
//   ImageManagerPtr gui = new ImageManager();
//   gui->load(u"img/gui");
//   frame = gui->paintAnimationByIndex(g, 3, x, y, frame, 255, false);
class ImageManager : public qel::lang::DObject {
public:
  ImageManager() = default;
  ~ImageManager() override;

  // The end of the data among the frames throws 0x06000002; among the
  // animations it keeps what was read. The picture is loaded in any case.
  void load(const qel::lang::DStringPtr& name);
  // Outside the frames: 0x05800000.
  virtual GameImagePtr getFrame(int32_t i);
  // A new image of frame i's size with the frame drawn into it; null
  // outside the frames.
  virtual qel::lcdui::DImagePtr createFrameImage(int32_t i);

  // Draws frame at (x, y) by anchor under transform 0, 2, 3, 5 or 6,
  // clipped to the frame as turned by the transform.
  void drawFrame(qel::lcdui::DGraphicsPtr g, GameImage* frame, int32_t x, int32_t y, int32_t anchor, int32_t transform,
                 bool opaque);
  // Paints the parts of frame whose mask is 0 or shares a bit with mask;
  // answers the next frame (0 after the last).
  int32_t paintAnimation(qel::lcdui::DGraphicsPtr g, Animation* animation, int32_t x, int32_t y, int32_t frame,
                         int32_t mask, bool mirrorAll);
  int32_t paintAnimationByIndex(qel::lcdui::DGraphicsPtr g, int32_t index, int32_t x, int32_t y, int32_t frame,
                                int32_t mask, bool mirrorAll);

  int32_t frameCount() const;
  int32_t animationCount() const;
  AnimationPtr getAnimation(int32_t i) const;
  const qel::lcdui::DImagePtr& image() const { return image_; }
  int32_t imageWidth() const { return imageWidth_; }
  int32_t imageHeight() const { return imageHeight_; }

private:
  void clear();
  void readFrames(const qel::io::DDataInputStreamPtr& in);
  void readAnimations(const qel::io::DDataInputStreamPtr& in);
  // The picture turned by transform 2, 3, 5 or 6, made on first use.
  qel::lcdui::DImagePtr turned(int32_t transform);

  qel::lang::DObjectArrayPtr frames_;
  qel::lang::DObjectArrayPtr animations_;
  qel::lcdui::DImagePtr image_;
  qel::lcdui::DImagePtr copies_[4];  // transforms 6, 5, 3, 2
  int32_t imageWidth_ = 0;
  int32_t imageHeight_ = 0;
};

}  // namespace gamelib
