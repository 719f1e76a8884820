// Line breaking, alignment, measuring and painting of GUIText.

#include <algorithm>

#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextChunk.h"
#include "guilib/GUIWidget.h"
#include "lang/DPtr.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "util/DVector.h"

namespace guilib {

namespace {

GUITextChunk& childAt(const GUITextChunk& paragraph, int32_t i) {
  return *static_cast<GUITextChunk*>(paragraph.children->elementAt(i));
}

bool isInlineItem(int32_t type) {
  return type == GUITextChunk::Text || type == GUITextChunk::InlineImage || type == GUITextChunk::InlineAnimation;
}

}  // namespace

GUIFontPtr GUIText::baseFont() {
  if (font_) return font_;
  fontStamp_ = GUIEngine::getInstance()->getDefaultStyle();
  if (!fontStamp_) qel::lang::throwNullPointer();
  return fontStamp_;
}

void GUIText::measureChunk(GUITextChunk& chunk) const {
  chunk.x = chunk.y = 0;
  if (chunk.type == GUITextChunk::Text) {
    if (!chunk.font) return;
    chunk.w = chunk.font->stringWidth(qel::lang::dynamicPtrCast<qel::lang::DString>(chunk.content));
    chunk.h = chunk.font->getHeight();
    return;
  }
  GUIRect size;
  if (auto* image = dynamic_cast<qel::lcdui::DImage*>(chunk.content.get()))
    size = {0, 0, image->getWidth(), image->getHeight()};
  else if (auto* animation = dynamic_cast<GUIAnimation*>(chunk.content.get()))
    size = animation->getSize();
  chunk.w = size.width + chunk.marginRight + chunk.marginLeft;
  chunk.h = size.height + chunk.marginBottom + chunk.marginTop;
}

int32_t GUIText::getHeight(int32_t width) {
  validate();
  if (!root_) return 0;
  layout(width);
  return height_;
}

int32_t GUIText::getWidth(int32_t width) {
  validate();
  if (!root_) return 0;
  layout(width);
  return widestLine_;
}

void GUIText::layout(int32_t width) {
  if (width == layoutWidth_ || !root_) return;
  layoutWidth_ = width;
  widestLine_ = 0;
  height_ = layoutChunk(*root_, width);
}

int32_t GUIText::layoutChunk(GUITextChunk& paragraph, int32_t width) {
  const GUIFontPtr base = baseFont();
  GUIFontPtr current = base;
  int32_t lineHeight = base->getHeight();
  const int32_t space = base->stringWidth(u" ");
  int32_t horizontal = alignment_ & GUITextChunk::HorizontalMask;
  int32_t vertical = 0;
  if (!paragraph.children) {
    // Emptied text: no earlier layout's last line survives.
    endX_ = 0;
    lastLineY_ = 0;
    return 0;
  }
  const int32_t n = paragraph.children->size();

  int32_t leftW = 0, leftH = 0, rightW = 0, rightH = 0;
  for (int32_t i = 0; i < n; ++i) {
    GUITextChunk& c = childAt(paragraph, i);
    if (c.type != GUITextChunk::FloatingImage && c.type != GUITextChunk::FloatingAnimation) continue;
    if ((c.flags & GUITextChunk::HorizontalMask) == 0) {
      c.x = c.y = 0;
      leftW = c.w;
      leftH = c.h;
    } else if ((c.flags & GUITextChunk::HorizontalMask) == GUITextChunk::AlignRight) {
      c.x = width - c.w;
      c.y = 0;
      rightW = c.w;
      rightH = c.h;
    }
  }
  int32_t left = leftW, right = width - rightW;
  auto edgesAt = [&](int32_t y) {
    left = y <= leftH ? leftW : 0;
    right = y <= rightH ? width - rightW : width;
  };
  int32_t y = 0;
  int32_t index = 0;
  bool endedWithBreak = false;
  while (index < n) {
    endedWithBreak = false;
    const int32_t lineStart = index;
    int32_t available = right - left;
    int32_t lineWidth = 0;
    int32_t count = 0;
    bool overflow = false;
    for (int32_t i = index; i < n; ++i) {
      GUITextChunk& c = childAt(paragraph, i);
      if (c.type == GUITextChunk::FontSwitch) {
        auto* font = dynamic_cast<GUIFont*>(c.content.get());
        current = font ? GUIFontPtr(font) : base;
        ++count;
        continue;
      }
      if (!isInlineItem(c.type)) break;
      if (c.type == GUITextChunk::Text && (c.w <= 0 || c.h <= 0)) {
        c.font = current;
        measureChunk(c);
      }
      if (count > 0 && available < c.w) {
        overflow = true;
        break;
      }
      available -= c.w + space;
      lineWidth += c.w + space;
      lineHeight = std::max(lineHeight, c.h);
      ++count;
    }
    if (lineWidth > 0) {
      lineWidth -= space;
      available += space;
    }
    widestLine_ = std::max(widestLine_, lineWidth);
    int32_t start = left;
    int32_t gap = space;
    switch (horizontal) {
      case GUITextChunk::AlignRight:
        right -= lineWidth;
        start = right;
        break;
      case GUITextChunk::AlignCentre:
        start = (right - lineWidth + left) >> 1;
        left = start + lineWidth;
        break;
      case GUITextChunk::AlignJustify:
        if (count > 1 && overflow) gap = space + available / (count - 1);
        break;
      default: left += lineWidth; break;
    }
    for (int32_t i = lineStart; i < lineStart + count; ++i) {
      GUITextChunk& c = childAt(paragraph, i);
      if (!isInlineItem(c.type)) continue;
      c.x = start;
      start += c.w + gap;
      if (vertical == GUITextChunk::AlignBottom)
        c.y = y + lineHeight - c.h;
      else if (vertical == GUITextChunk::AlignMiddle)
        c.y = y + ((lineHeight - c.h) >> 1);
      else
        c.y = y;
    }
    index = lineStart + count;
    if (index >= n) break;

    GUITextChunk& ending = childAt(paragraph, index);
    bool lineBreak = false;
    switch (ending.type) {
      case GUITextChunk::Paragraph: lineBreak = true; break;
      case GUITextChunk::Align:
        horizontal = ending.flags & GUITextChunk::HorizontalMask;
        ++index;
        break;
      case GUITextChunk::VAlign:
        vertical = ending.flags & GUITextChunk::VerticalMask;
        ++index;
        break;
      case GUITextChunk::Text:
      case GUITextChunk::InlineImage:
      case GUITextChunk::InlineAnimation: lineBreak = overflow; break;
      case GUITextChunk::LineBreak:
        lineBreak = true;
        ++index;
        break;
      default: ++index; break;
    }
    if (lineWidth == 0) edgesAt(y);
    if (lineBreak) {
      y += lineHeight;
      lineHeight = current->getHeight();
      edgesAt(y);
    }
    if (ending.type == GUITextChunk::Paragraph) {
      ending.x = 0;
      ending.y = y;
      y += layoutChunk(ending, width);
      ++index;
      lineBreak = false;
    }
    endedWithBreak = lineBreak;
  }
  lastLineY_ = y;
  endX_ = left;
  return endedWithBreak ? y : y + lineHeight;
}

int32_t GUIText::getTop(int32_t x, int32_t y, int32_t w, int32_t h) {
  (void)x;
  (void)w;
  int32_t height = height_;
  if (height == 0) height = baseFont()->getHeight();
  if (height >= h) return y;
  if ((alignment_ & GUITextChunk::VerticalMask) == GUITextChunk::AlignBottom) return y + h - height;
  if ((alignment_ & GUITextChunk::VerticalMask) == GUITextChunk::AlignMiddle) return y + ((h - height) >> 1);
  return y;
}

GUIPoint GUIText::getEndPosition(int32_t x, int32_t y, int32_t w, int32_t h) {
  validate();
  if (!root_) return {x, y};
  layout(w);
  int32_t endX = endX_;
  if (height_ == 0) {
    if ((alignment_ & GUITextChunk::HorizontalMask) == GUITextChunk::AlignRight) endX = w;
    if ((alignment_ & GUITextChunk::HorizontalMask) == GUITextChunk::AlignCentre) endX = w / 2;
  }
  return {x + endX, getTop(x, y, w, h) + lastLineY_};
}

void GUIText::paint(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) {
  validate();
  if (!root_) return;
  layout(w);
  if (height_ != 0) paintChunk(*root_, g, x, getTop(x, y, w, h));
}

void GUIText::paintChunk(GUITextChunk& chunk, const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y) {
  if (!chunk.children) return;
  const GUIRect clip = GUIEngine::getClip(g);
  for (int32_t i = 0; i < chunk.children->size(); ++i) {
    GUITextChunk& c = childAt(chunk, i);
    const int32_t cx = x + c.x, cy = y + c.y;
    switch (c.type) {
      case GUITextChunk::Paragraph: paintChunk(c, g, cx, cy); break;
      case GUITextChunk::Text:
        if (c.font && GUIRect::overlaps({cx, cy, c.w, c.h}, clip))
          c.font->drawString(g, qel::lang::dynamicPtrCast<qel::lang::DString>(c.content), cx, cy, 0);
        break;
      case GUITextChunk::InlineImage:
      case GUITextChunk::FloatingImage:
        if (auto* image = dynamic_cast<qel::lcdui::DImage*>(c.content.get()))
          g->drawImage(qel::lcdui::DImagePtr(image), cx + c.marginLeft, cy + c.marginTop, 0, 0);
        break;
      case GUITextChunk::InlineAnimation:
      case GUITextChunk::FloatingAnimation:
        if (auto* animation = dynamic_cast<GUIAnimation*>(c.content.get()))
          animation->paint(g, cx + c.marginLeft, cy + c.marginTop);
        break;
      default: break;
    }
  }
}

}  // namespace guilib
