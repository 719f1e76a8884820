#include "gamelib/ImageManager.h"

#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DshortArray2d.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DObjectArray;
using qel::lang::DshortArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

int copySlot(int32_t transform) {
  switch (transform) {
    case 6: return 0;
    case 5: return 1;
    case 3: return 2;
    case 2: return 3;
    default: return -1;
  }
}

}  // namespace

ImageManager::~ImageManager() { clear(); }

void ImageManager::clear() {
  for (int32_t i = 0; i < frameCount(); ++i)
    if (auto* frame = dynamic_cast<GameImage*>(frames_->at(i).get())) frame->owner_ = nullptr;
  frames_.release();
  animations_.release();
  image_.release();
  for (DImagePtr& copy : copies_) copy.release();
  imageWidth_ = imageHeight_ = 0;
}

int32_t ImageManager::frameCount() const { return frames_ ? frames_->length() : 0; }
int32_t ImageManager::animationCount() const { return animations_ ? animations_->length() : 0; }

AnimationPtr ImageManager::getAnimation(int32_t i) const {
  return qel::lang::dynamicPtrCast<Animation>(animations_->at(i));
}

void ImageManager::load(const DStringPtr& name) {
  clear();
  DDataInputStreamPtr in = new DDataInputStream(GameLib::getResourceAsStream(DString::concat(name, u".bin")));
  readFrames(in);
  readAnimations(in);
  in->close();
  image_ = GameLib::loadImage(name);
  if (image_) {
    imageWidth_ = image_->getWidth();
    imageHeight_ = image_->getHeight();
  }
}

void ImageManager::readFrames(const DDataInputStreamPtr& in) {
  int32_t count = in->readShort();
  frames_ = new DObjectArray(count);
  for (int32_t i = 0; i < frames_->length(); ++i) {
    int32_t x = in->readShort(), y = in->readShort(), w = in->readShort(), h = in->readShort();
    frames_->at(i) = new GameImage(this, x, y, w, h);
  }
}

void ImageManager::readAnimations(const DDataInputStreamPtr& in) {
  try {
    animations_ = new DObjectArray(in->readShort());
    for (int32_t i = 0; i < animations_->length(); ++i) {
      AnimationPtr animation = new Animation();
      animations_->at(i) = animation;
      animation->read(in, frames_);
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
  }
}

GameImagePtr ImageManager::getFrame(int32_t i) {
  if (!frames_) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  return qel::lang::dynamicPtrCast<GameImage>(frames_->at(i));
}

DImagePtr ImageManager::createFrameImage(int32_t i) {
  if (i < 0 || i >= frameCount()) return nullptr;
  GameImagePtr frame = getFrame(i);
  DImagePtr picture = DImage::createImage(frame->width(), frame->height());
  frame->draw(picture->getGraphics(), 0, 0);
  return picture;
}

DImagePtr ImageManager::turned(int32_t transform) {
  DImagePtr& copy = copies_[copySlot(transform)];
  if (!copy) copy = DImage::createTransformedImage(image_, transform);
  return copy;
}

void ImageManager::drawFrame(DGraphicsPtr g, GameImage* frame, int32_t x, int32_t y, int32_t anchor, int32_t transform,
                             bool opaque) {
  const bool quarterTurn = transform == 5 || transform == 6;
  if (transform != 0 && copySlot(transform) < 0) return;
  int32_t w = quarterTurn ? frame->height() : frame->width();
  int32_t h = quarterTurn ? frame->width() : frame->height();
  if (anchor & DGraphics::HCENTER)
    x -= w >> 1;
  else if (anchor & DGraphics::RIGHT)
    x -= w;
  if (anchor & DGraphics::VCENTER)
    y -= h >> 1;
  else if (anchor & DGraphics::BOTTOM)
    y -= h;
  if (!image_) return;

  const int32_t fx = frame->x(), fy = frame->y(), fw = frame->width(), fh = frame->height();
  const int32_t W = imageWidth_, H = imageHeight_;
  DImagePtr picture = transform == 0 ? image_ : turned(transform);
  int32_t px = x - fx, py = y - fy;
  switch (transform) {
    case 2: px = x - (W - fx - fw); break;
    case 3: px = x - (picture->getWidth() - fx - fw), py = y - (picture->getHeight() - fy - fh); break;
    case 5: px = x - (H - fy - fh), py = y - fx; break;
    case 6: px = x - fy, py = y - (W - fx - fw); break;
    default: break;
  }
  // The clip reads in surface coordinates and is set in translated ones.
  const int32_t clipX = g->getClipX() - g->getTranslateX(), clipY = g->getClipY() - g->getTranslateY();
  const int32_t clipW = g->getClipWidth(), clipH = g->getClipHeight();
  g->clipRect(x, y, w, h);
  if (opaque)
    g->drawImageOpaque(picture, px, py, DGraphics::TOP | DGraphics::LEFT, 0);
  else
    g->drawImage(picture, px, py, DGraphics::TOP | DGraphics::LEFT, 0);
  g->setClip(clipX, clipY, clipW, clipH);
}

int32_t ImageManager::paintAnimation(DGraphicsPtr g, Animation* animation, int32_t x, int32_t y, int32_t frame,
                                     int32_t mask, bool mirrorAll) {
  if (!animation) qel::lang::throwNullPointer();
  if (frame < 0) frame = 0;
  DshortArrayPtr parts = animation->frames()->at(frame);
  if (parts && parts->length() == 1) parts = animation->frames()->at(parts->at(0));
  BoxBuilder painted;
  for (int32_t i = 0; parts && i + 3 < parts->length(); i += 4) {
    int32_t dx = parts->at(i), dy = parts->at(i + 1), f = parts->at(i + 2), m = parts->at(i + 3);
    GameImagePtr image = getFrame(f & 0x7FFF);
    if (m == 0 || (m & mask) != 0) {
      bool mirrored = (f & 0x8000) != 0 || mirrorAll;
      drawFrame(g, image.get(), x + dx, y + dy, 0, mirrored ? 2 : 0, false);
    }
    painted.add(dx, dy, dx + image->width(), dy + image->height());
  }
  animation->box() = painted.box();
  return frame + 1 < animation->frameCount() ? frame + 1 : 0;
}

int32_t ImageManager::paintAnimationByIndex(DGraphicsPtr g, int32_t index, int32_t x, int32_t y, int32_t frame,
                                            int32_t mask, bool mirrorAll) {
  if (!animations_) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  return paintAnimation(std::move(g), getAnimation(index).get(), x, y, frame, mask, mirrorAll);
}

}  // namespace gamelib
