#pragma once

#include <climits>
#include <cstdint>

#include "gamelib/Animation.ptr.h"
#include "io/DDataInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DshortArray2d.ptr.h"

namespace gamelib {

// A rectangle in pixels; for the painted box and the extent, the corner
// and the size.
struct AnimationBox {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// The frames of one animation of an image set: each frame a list of parts
// (dx, dy, image frame with a mirror bit, mask) or a reference to another
// frame, with optional named rectangles per frame.
class Animation : public qel::lang::DObject {
public:
  Animation();
  ~Animation() override;

  // One animation record of a ".bin" file; frames are the set's GameImages.
  // The end of the data leaves what was read.
  void read(const qel::io::DDataInputStreamPtr& in, const qel::lang::DObjectArrayPtr& frames);
  // The rectangle recorded under key for frame (a reference followed once).
  bool findFrameRect(int32_t key, int32_t frame, int32_t& x, int32_t& y, int32_t& w, int32_t& h) const;

  int32_t frameCount() const;
  const qel::lang::DshortArray2dPtr& frames() const { return frames_; }
  const qel::lang::DshortArray2dPtr& records() const { return records_; }
  // Frame 0's parts after reading; the last painted frame's parts after a paint.
  const AnimationBox& box() const { return box_; }
  AnimationBox& box() { return box_; }
  // Left, top, right and bottom over the parts of every frame.
  int32_t extentLeft() const { return minX_; }
  int32_t extentTop() const { return minY_; }
  int32_t extentRight() const { return maxX_; }
  int32_t extentBottom() const { return maxY_; }
  int32_t headerValue(int i) const { return header_[i & 1]; }

private:
  // count rows of parts (4 values each) or records (5 values each) into target.
  void readRows(const qel::io::DDataInputStreamPtr& in, int32_t count, int valuesPerItem,
                qel::lang::DshortArray2dPtr& target, const qel::lang::DObjectArrayPtr& frames);

  qel::lang::DshortArray2dPtr frames_;
  qel::lang::DshortArray2dPtr records_;
  AnimationBox box_;
  int32_t header_[2] = {0, 0};
  int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

// Corners widened part by part, then turned into a corner and a size.
class BoxBuilder {
public:
  void add(int32_t left, int32_t top, int32_t right, int32_t bottom);
  AnimationBox box() const;
  int32_t left() const { return left_; }
  int32_t top() const { return top_; }
  int32_t right() const { return right_; }
  int32_t bottom() const { return bottom_; }

private:
  int32_t left_ = INT32_MAX, top_ = INT32_MAX, right_ = INT32_MIN, bottom_ = INT32_MIN;
};

}  // namespace gamelib
