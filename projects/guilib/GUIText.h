#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gamelib/StringManager.ptr.h"
#include "guilib/GUIFont.ptr.h"
#include "guilib/GUIText.ptr.h"
#include "guilib/GUITextChunk.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "util/DHashtable.ptr.h"

namespace guilib {

struct GUIPoint;

// A label in a small tag language, parsed lazily into a chunk tree and laid
// out per width. The source is set directly or read by string id from a
// string table, and then re-read whenever the language changes.
//
//   GUITextPtr label = new GUIText();
//   label->setText(u"<p>Open the <font face=system color=ff0000 bold>vault</p>");
//   int32_t h = label->getHeight(120);
//   label->paint(g, 10, 10, 120, h);
//
// Tags: p (a paragraph, closed by any closing tag), br, align and valign
// (align=left|right|center|justify|top|bottom|vcenter|default), img and anim
// (src=resource, align= makes them float, margin-left/top/right/bottom=n),
// token (token=resource: its text is parsed in place), font (face=system|
// monospace|proportional|default|resource, color=rrggbb, size=small|medium|
// large|pixels, bold, italic, underlined). Entities: &lt; &gt; &nbsp;.
// An unterminated tag or an attribute without its '=' throws 0x05800002; a
// bad number 0x05400002; the text stays unparsed.
class GUIText : public qel::lang::DObject {
public:
  // Tokens nested deeper than this show their name instead of their text.
  static constexpr int32_t MaxTokenDepth = 16;
  // Paragraphs nested deeper are refused (0x05400000) rather than
  // exhausting the stack.
  static constexpr int32_t MaxParagraphDepth = 64;

  GUIText();
  ~GUIText() override;

  void setText(const qel::lang::DStringPtr& text);
  qel::lang::DStringPtr getText() const { return source_; }
  // Clears the source and reads it through the string table.
  void setStringId(const qel::lang::DStringPtr& id);
  void setStringManager(gamelib::StringManagerPtr strings);
  // Parses at once.
  void setFont(GUIFontPtr font);
  GUIFontPtr getFont() const;
  // A null object removes the name.
  void setResource(const qel::lang::DStringPtr& name, const qel::lang::DObjectPtr& object);
  // The own table first, then the engine's.
  qel::lang::DObjectPtr getResource(const qel::lang::DStringPtr& name) const;
  void setAlignment(int32_t alignment);
  int32_t getAlignment() const { return alignment_; }
  void setNewlineBreaks(bool on);
  // Any maximum lays the text out without limit: nothing cuts text yet.
  void setMaximumHeight(int32_t pixels) { maximumHeight_ = pixels; }

  void reload();
  void validate();
  void parse();
  // The parsed tree, or null.
  GUITextChunkPtr getRoot() const;

  int32_t getHeight(int32_t width);
  int32_t getWidth(int32_t width);
  void layout(int32_t width);
  int32_t getTop(int32_t x, int32_t y, int32_t w, int32_t h);
  // Where the text ends: the caret point.
  GUIPoint getEndPosition(int32_t x, int32_t y, int32_t w, int32_t h);
  void paint(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h);

private:
  struct Attribute {
    std::u16string name;
    std::u16string value;
  };
  struct FontSpec;

  void dropTree();
  size_t parseContent(const GUITextChunkPtr& parent, const std::u16string& text, size_t position, int32_t depth);
  size_t parseTag(const GUITextChunkPtr& parent, const std::u16string& text, size_t position, int32_t depth);
  void parseAttributes(GUITextChunk& chunk, const std::u16string& text, size_t from, size_t end);
  void applyAttribute(GUITextChunk& chunk, const Attribute& attribute, FontSpec& font);
  void buildFont(GUITextChunk& chunk, const FontSpec& font);
  void expandToken(const GUITextChunkPtr& parent, GUITextChunk& token, int32_t depth);
  static void addWord(const GUITextChunkPtr& parent, std::u16string_view word);
  void measureChunk(GUITextChunk& chunk) const;

  GUIFontPtr baseFont();
  int32_t layoutChunk(GUITextChunk& paragraph, int32_t width);
  void paintChunk(GUITextChunk& chunk, const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y);

  int32_t languageStamp_ = -1;
  qel::lang::DStringPtr stringId_;
  qel::lang::DStringPtr source_;
  int32_t layoutWidth_ = -1;
  int32_t height_ = 0;
  int32_t widestLine_ = 0;
  int32_t endX_ = 0;
  int32_t lastLineY_ = 0;
  GUITextChunkPtr root_;
  gamelib::StringManagerPtr strings_;
  GUIFontPtr font_;
  GUIFontPtr fontStamp_;
  int32_t alignment_ = 0;
  bool newlineBreaks_ = false;
  int32_t maximumHeight_ = -1;
  int32_t paragraphDepth_ = 0;
  qel::util::DHashtablePtr resources_;
};

}  // namespace guilib
