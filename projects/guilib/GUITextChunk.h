#pragma once

#include <cstdint>

#include "guilib/GUIFont.ptr.h"
#include "guilib/GUITextChunk.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "util/DVector.h"

namespace guilib {

// One node of parsed text: a paragraph with children, a word, an inline or
// floating picture, a line break, or an alignment or font switch. The parser
// fills it; the layout writes its position and size.
class GUITextChunk : public qel::lang::DObject {
public:
  enum Type : int32_t {
    Paragraph = 0,
    Align = 1,
    VAlign = 2,
    Text = 3,
    InlineAnimation = 4,
    InlineImage = 5,
    FloatingAnimation = 6,
    FloatingImage = 7,
    LineBreak = 8,
    FontSwitch = 9
  };
  // Alignment bits of flags.
  static constexpr int32_t AlignRight = 1, AlignCentre = 2, AlignJustify = 3, HorizontalMask = 3;
  static constexpr int32_t AlignBottom = 4, AlignMiddle = 8, VerticalMask = 12;

  GUITextChunk(int32_t type, int32_t flags) : type(type), flags(flags) {}
  ~GUITextChunk() override;

  // Creates the children list on first use; a null child throws the
  // null-reference exception.
  void addChild(const GUITextChunkPtr& child);

  int32_t type;
  int32_t flags;
  int32_t x = 0, y = 0;
  // For pictures the margins are included.
  int32_t w = 0, h = 0;
  // DString, DImage, GUIAnimation or GUIFont (null: back to the base font), by type.
  qel::lang::DObjectPtr content;
  GUIFontPtr font;
  int32_t marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  // Null until the first child; released before the font and the content.
  qel::util::DVectorPtr children;
};

}  // namespace guilib
