// The tag language of GUIText: words, entities, tags and their attributes.

#include <utility>

#include "gamelib/ImageFont.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextChunk.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ExceptionCode.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DImage.h"

namespace guilib {

namespace {

using qel::lang::DString;
using qel::lang::DStringPtr;

bool isSeparator(char16_t c) { return c == u' ' || c == u'\n' || c == u'<'; }

std::u16string lowerCase(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return out;
}

[[noreturn]] void throwStringIndex() {
  throw qel::lang::DExceptionBase(qel::lang::ExceptionCode::StringIndexOutOfBounds);
}

void replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

std::u16string decodeEntities(std::u16string_view word) {
  std::u16string out(word);
  replaceAll(out, u"&lt;", u"<");
  replaceAll(out, u"&LT;", u"<");
  replaceAll(out, u"&gt;", u">");
  replaceAll(out, u"&GT;", u">");
  replaceAll(out, u"&nbsp;", u" ");
  replaceAll(out, u"&NBSP;", u" ");
  return out;
}

DStringPtr toDString(std::u16string_view text) { return new DString(text); }

int32_t alignmentOf(const std::u16string& value, int32_t textAlignment, bool& known) {
  known = true;
  if (value == u"left" || value == u"top") return 0;
  if (value == u"right") return 1;
  if (value == u"center") return 2;
  if (value == u"justify") return 3;
  if (value == u"bottom") return 4;
  if (value == u"vcenter") return 8;
  if (value == u"default") return textAlignment;
  known = false;
  return 0;
}

}  // namespace

struct GUIText::FontSpec {
  bool systemFace = false;
  int32_t face = 0;
  DStringPtr resourceName;
  int32_t colour = GUIFont::GraphicsColour;
  int32_t size = qel::lcdui::DFont::SIZE_MEDIUM;
  bool pixelSize = false;
  int32_t style = 0;
};

void GUIText::addWord(const GUITextChunkPtr& parent, std::u16string_view word) {
  GUITextChunkPtr chunk = new GUITextChunk(GUITextChunk::Text, 0);
  chunk->content = toDString(decodeEntities(word));
  parent->addChild(chunk);
}

size_t GUIText::parseContent(const GUITextChunkPtr& parent, const std::u16string& text, size_t position,
                             int32_t depth) {
  std::u16string word;
  auto flush = [&] {
    if (word.empty()) return;
    addWord(parent, word);
    word.clear();
  };
  while (position < text.size()) {
    const char16_t c = text[position];
    if (isSeparator(c)) flush();
    if (newlineBreaks_ && c == u'\n') parent->addChild(new GUITextChunk(GUITextChunk::LineBreak, 0));
    if (c == u'<') {
      const size_t next = parseTag(parent, text, position, depth);
      // A closing tag ends this paragraph.
      if (text[position + 1] == u'/') return next;
      position = next;
      continue;
    }
    if (c != u' ' && c != u'\n') word.push_back(c);
    ++position;
  }
  flush();
  return position;
}

// The tag at position; answers the position after it.
size_t GUIText::parseTag(const GUITextChunkPtr& parent, const std::u16string& text, size_t position, int32_t depth) {
  const size_t end = text.find(u'>', position + 1);
  if (end == std::u16string::npos) throwStringIndex();
  size_t nameEnd = position + 1;
  while (nameEnd < end && text[nameEnd] != u' ') ++nameEnd;
  const std::u16string name = lowerCase(std::u16string_view(text).substr(position + 1, nameEnd - position - 1));
  const size_t after = end + 1;
  if (!name.empty() && name[0] == u'/') return after;

  auto withAttributes = [&](int32_t type) {
    GUITextChunkPtr chunk = new GUITextChunk(type, 0);
    parseAttributes(*chunk, text, nameEnd, end);
    return chunk;
  };
  if (name == u"p") {
    if (paragraphDepth_ >= MaxParagraphDepth)
      throw qel::lang::DExceptionBase(qel::lang::ExceptionCode::IllegalArgument);
    GUITextChunkPtr paragraph = withAttributes(GUITextChunk::Paragraph);
    parent->addChild(paragraph);
    ++paragraphDepth_;
    struct Leave {
      int32_t& depth;
      ~Leave() { --depth; }
    } leave{paragraphDepth_};
    return parseContent(paragraph, text, after, depth);
  }
  if (name == u"br") {
    parent->addChild(new GUITextChunk(GUITextChunk::LineBreak, 0));
  } else if (name == u"align") {
    parent->addChild(withAttributes(GUITextChunk::Align));
  } else if (name == u"valign") {
    parent->addChild(withAttributes(GUITextChunk::VAlign));
  } else if (name == u"anim" || name == u"img") {
    GUITextChunkPtr picture =
        withAttributes(name == u"img" ? GUITextChunk::InlineImage : GUITextChunk::InlineAnimation);
    measureChunk(*picture);
    parent->addChild(picture);
  } else if (name == u"token") {
    GUITextChunkPtr token = new GUITextChunk(GUITextChunk::Text, 0);
    parseAttributes(*token, text, nameEnd, end);
    expandToken(parent, *token, depth);
  } else if (name == u"font") {
    parent->addChild(withAttributes(GUITextChunk::FontSwitch));
  }
  return after;
}

// The token's text (its resource, else its name) parsed in place; nested
// too deep, as through a token that names itself, the name is shown.
void GUIText::expandToken(const GUITextChunkPtr& parent, GUITextChunk& token, int32_t depth) {
  auto* name = dynamic_cast<DString*>(token.content.get());
  if (!name) return;
  if (depth >= MaxTokenDepth) {
    addWord(parent, name->view());
    return;
  }
  qel::lang::DObjectPtr resource = getResource(DStringPtr(name));
  auto* text = dynamic_cast<DString*>(resource.get());
  const std::u16string tokenText(text ? text->view() : name->view());
  parseContent(parent, tokenText, 0, depth + 1);
}

void GUIText::parseAttributes(GUITextChunk& chunk, const std::u16string& text, size_t from, size_t end) {
  FontSpec font;
  size_t i = from;
  while (true) {
    while (i < end && text[i] == u' ') ++i;
    if (i >= end) break;
    size_t attributeEnd = i + 1;
    while (attributeEnd < end && text[attributeEnd] != u' ') ++attributeEnd;
    const size_t equals = text.find(u'=', i + 1);
    Attribute attribute;
    if (equals == std::u16string::npos) {
      if (chunk.type != GUITextChunk::FontSwitch) throwStringIndex();
      attribute.name = lowerCase(std::u16string_view(text).substr(i, attributeEnd - i));
    } else {
      if (equals > attributeEnd) throwStringIndex();
      attribute.name = lowerCase(std::u16string_view(text).substr(i, equals - i));
      attribute.value = text.substr(equals + 1, attributeEnd - equals - 1);
    }
    applyAttribute(chunk, attribute, font);
    i = attributeEnd;
  }
  if (chunk.type == GUITextChunk::FontSwitch) buildFont(chunk, font);
}

void GUIText::applyAttribute(GUITextChunk& chunk, const Attribute& attribute, FontSpec& font) {
  const std::u16string& name = attribute.name;
  const DStringPtr value = toDString(attribute.value);
  const std::u16string lowerValue = lowerCase(attribute.value);
  if (name == u"margin-left") chunk.marginLeft = qel::lang::DInteger::parseInt(value);
  if (name == u"margin-top") chunk.marginTop = qel::lang::DInteger::parseInt(value);
  if (name == u"margin-right") chunk.marginRight = qel::lang::DInteger::parseInt(value);
  if (name == u"margin-bottom") chunk.marginBottom = qel::lang::DInteger::parseInt(value);
  if (name == u"align") {
    bool known = false;
    const int32_t flags = alignmentOf(lowerValue, alignment_, known);
    if (known) chunk.flags = flags;
    if (chunk.type == GUITextChunk::InlineImage) chunk.type = GUITextChunk::FloatingImage;
    if (chunk.type == GUITextChunk::InlineAnimation) chunk.type = GUITextChunk::FloatingAnimation;
  }
  if (chunk.type == GUITextChunk::FontSwitch) {
    if (name == u"face") {
      if (lowerValue == u"default") {
        font.systemFace = false;
      } else if (lowerValue == u"system" || lowerValue == u"monospace" || lowerValue == u"proportional") {
        font.systemFace = true;
        font.face = lowerValue == u"system"      ? qel::lcdui::DFont::FACE_SYSTEM
                    : lowerValue == u"monospace" ? qel::lcdui::DFont::FACE_MONOSPACE
                                                 : qel::lcdui::DFont::FACE_PROPORTIONAL;
      } else {
        font.resourceName = value;
      }
    }
    if (name == u"color") font.colour = qel::lang::DInteger::parseInt(value, 16);
    if (name == u"size") {
      font.pixelSize = false;
      if (lowerValue == u"small")
        font.size = qel::lcdui::DFont::SIZE_SMALL;
      else if (lowerValue == u"medium")
        font.size = qel::lcdui::DFont::SIZE_MEDIUM;
      else if (lowerValue == u"large")
        font.size = qel::lcdui::DFont::SIZE_LARGE;
      else {
        font.size = qel::lang::DInteger::parseInt(value, 10);
        font.pixelSize = true;
      }
    }
    if (name == u"bold") font.style = qel::lcdui::DFont::STYLE_BOLD;
    if (name == u"italic") font.style = qel::lcdui::DFont::STYLE_ITALIC;
    if (name == u"underlined") font.style = qel::lcdui::DFont::STYLE_UNDERLINED;
  }
  if (name == u"token") {
    chunk.type = GUITextChunk::Text;
    chunk.content = value;
  }
  if (name == u"src" && chunk.type >= GUITextChunk::InlineAnimation && chunk.type <= GUITextChunk::FloatingImage) {
    qel::lang::DObjectPtr resource = getResource(value);
    const bool image = chunk.type == GUITextChunk::InlineImage || chunk.type == GUITextChunk::FloatingImage;
    const bool fits = image ? dynamic_cast<qel::lcdui::DImage*>(resource.get()) != nullptr
                            : dynamic_cast<GUIAnimation*>(resource.get()) != nullptr;
    if (fits) {
      chunk.content = resource;
    } else {
      // A missing picture shows its name.
      chunk.type = GUITextChunk::Text;
      chunk.content = value;
    }
  }
}

void GUIText::buildFont(GUITextChunk& chunk, const FontSpec& font) {
  if (font.systemFace) {
    const int32_t mode = font.pixelSize ? qel::lcdui::DFont::SIZE_IN_PIXELS : qel::lcdui::DFont::SIZE_IN_POINTS;
    chunk.content = new GUIFont(qel::lcdui::DFont::getFont(font.face, font.style, font.size, mode), font.colour);
    return;
  }
  if (!font.resourceName) return;
  qel::lang::DObjectPtr resource = getResource(font.resourceName);
  if (dynamic_cast<GUIFont*>(resource.get())) {
    chunk.content = resource;
  } else if (auto* bitmap = dynamic_cast<gamelib::ImageFont*>(resource.get())) {
    chunk.content = new GUIFont(gamelib::ImageFontPtr(bitmap));
  }
}

}  // namespace guilib
