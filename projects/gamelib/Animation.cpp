#include "gamelib/Animation.h"

#include <algorithm>

#include "gamelib/GameImage.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DshortArray2d.h"

namespace gamelib {

using qel::io::DDataInputStreamPtr;
using qel::lang::DObjectArrayPtr;
using qel::lang::DshortArray;
using qel::lang::DshortArray2d;
using qel::lang::DshortArray2dPtr;
using qel::lang::DshortArrayPtr;

void BoxBuilder::add(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  left_ = std::min(left_, left);
  top_ = std::min(top_, top);
  right_ = std::max(right_, right);
  bottom_ = std::max(bottom_, bottom);
}

AnimationBox BoxBuilder::box() const {
  auto span = [](int32_t from, int32_t to) {
    return static_cast<int32_t>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from));
  };
  return {left_, top_, span(left_, right_), span(top_, bottom_)};
}

Animation::Animation() = default;
Animation::~Animation() = default;

int32_t Animation::frameCount() const { return frames_ ? frames_->length() : 0; }

void Animation::read(const DDataInputStreamPtr& in, const DObjectArrayPtr& frames) {
  int32_t n = in->readUnsignedShort();
  if (n & 0x8000) {
    header_[0] = in->readByte();
    header_[1] = in->readByte();
  }
  readRows(in, n & 0x7FFF, 4, frames_, frames);
  int hasRecords = in->read();
  if (hasRecords > 0) readRows(in, frameCount(), 5, records_, frames);
}

void Animation::readRows(const DDataInputStreamPtr& in, int32_t count, int valuesPerItem, DshortArray2dPtr& target,
                         const DObjectArrayPtr& frames) {
  const bool parts = valuesPerItem == 4;
  DshortArray2dPtr rows = new DshortArray2d(count);
  target = rows;
  BoxBuilder extent, first;
  auto finish = [&] {
    if (!parts) return;
    minX_ = extent.left(), minY_ = extent.top(), maxX_ = extent.right(), maxY_ = extent.bottom();
    box_ = first.box();
  };
  try {
    for (int32_t row = 0; row < count; ++row) {
      int32_t b = in->readUnsignedByte();
      if (b & 0x80) {
        rows->at(row) = new DshortArray(1);
        rows->at(row)->at(0) = static_cast<int16_t>(b & 0x7F);
        continue;
      }
      DshortArrayPtr values = new DshortArray(b * valuesPerItem);
      rows->at(row) = values;
      for (int32_t item = 0; item < b; ++item) {
        int16_t* v = values->data() + item * valuesPerItem;
        if (!parts) {
          for (int i = 0; i < 5; ++i) v[i] = static_cast<int16_t>(in->readShort());
          continue;
        }
        v[0] = static_cast<int16_t>(in->readShort());
        v[1] = static_cast<int16_t>(in->readShort());
        v[2] = static_cast<int16_t>(in->readShort());
        v[3] = static_cast<int16_t>(in->readUnsignedByte());
        auto* image = dynamic_cast<GameImage*>(frames->at(v[2] & 0x7FFF).get());
        if (!image) qel::lang::throwNullPointer();
        extent.add(v[0], v[1], v[0] + image->width(), v[1] + image->height());
        if (row == 0) first.add(v[0], v[1], v[0] + image->width(), v[1] + image->height());
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

bool Animation::findFrameRect(int32_t key, int32_t frame, int32_t& x, int32_t& y, int32_t& w, int32_t& h) const {
  if (!records_ || frame < 0 || frame >= records_->length()) return false;
  DshortArrayPtr row = records_->at(frame);
  if (row && row->length() == 1) {
    int32_t target = row->at(0);
    if (target >= records_->length()) return false;
    row = records_->at(target);
  }
  if (!row) return false;
  for (int32_t i = 0; i + 4 < row->length(); i += 5) {
    if (row->at(i) != key) continue;
    x = row->at(i + 1), y = row->at(i + 2), w = row->at(i + 3), h = row->at(i + 4);
    return true;
  }
  return false;
}

}  // namespace gamelib
