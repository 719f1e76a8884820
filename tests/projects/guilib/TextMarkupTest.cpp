#include <gtest/gtest.h>
#include <string>

#include "../gamelib/TestPng.h"
#include "GuiHost.h"
#include "gamelib/LangInfo.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextChunk.h"
#include "lang/DExceptionBase.h"
#include "lang/ExceptionCode.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DImage.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using guilib::GUIAnimation;
using guilib::GUIEngine;
using guilib::GUIFont;
using guilib::GUIText;
using guilib::GUITextChunk;
using guilib::GUITextChunkPtr;
using guilib::GUITextPtr;
using qel::lang::DStringPtr;

namespace {

std::string utf8(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

// The tree as words: w:text, p[...], br, align(f), valign(f), img, fimg(f),
// anim, fanim(f), font(null|face style|other).
std::string describe(const GUITextChunk& chunk);

std::string describeChildren(const GUITextChunk& chunk) {
  std::string out;
  if (!chunk.children) return out;
  for (int32_t i = 0; i < chunk.children->size(); ++i) {
    if (!out.empty()) out += ' ';
    out += describe(*static_cast<GUITextChunk*>(chunk.children->elementAt(i)));
  }
  return out;
}

std::string describe(const GUITextChunk& chunk) {
  const std::string flags = "(" + std::to_string(chunk.flags) + ")";
  switch (chunk.type) {
    case GUITextChunk::Paragraph: return "p[" + describeChildren(chunk) + "]";
    case GUITextChunk::Align: return "align" + flags;
    case GUITextChunk::VAlign: return "valign" + flags;
    case GUITextChunk::Text: return "w:" + utf8(static_cast<qel::lang::DString*>(chunk.content.get())->view());
    case GUITextChunk::InlineAnimation: return "anim";
    case GUITextChunk::InlineImage: return "img";
    case GUITextChunk::FloatingAnimation: return "fanim" + flags;
    case GUITextChunk::FloatingImage: return "fimg" + flags;
    case GUITextChunk::LineBreak: return "br";
    case GUITextChunk::FontSwitch: {
      auto* font = static_cast<GUIFont*>(chunk.content.get());
      if (!font) return "font(null)";
      if (font->getKind() != GUIFont::SystemFont) return "font(bitmap)";
      return "font(" + std::to_string(font->getSystemFont()->getFace()) + " " +
             std::to_string(font->getSystemFont()->getStyle()) + " " + std::to_string(font->getColour()) + ")";
    }
    default: return "?";
  }
}

// A text of the source with the application's resources.
GUITextPtr textOf(const char16_t* source, bool newlineBreaks = false, int32_t alignment = 0) {
  GUITextPtr text = new GUIText();
  text->setNewlineBreaks(newlineBreaks);
  text->setAlignment(alignment);
  text->setText(source);
  return text;
}

void installResources() {
  const std::string png = solidPng(40, 30, 0x123456);
  qel::lcdui::DImagePtr logo =
      qel::lcdui::DImage::createImageFromData(reinterpret_cast<const uint8_t*>(png.data()), int32_t(png.size()), false);
  qel::util::DHashtablePtr table = new qel::util::DHashtable(11, 75);
  table->put(DStringPtr(u"logo"), logo);
  table->put(DStringPtr(u"spark"), guilib::GUIAnimationPtr(new GUIAnimation(logo)));
  table->put(DStringPtr(u"name"), DStringPtr(u"Night vault"));
  table->put(DStringPtr(u"loop"), DStringPtr(u"x <token token=loop>"));
  table->put(DStringPtr(u"ping"), DStringPtr(u"<token token=pong>"));
  table->put(DStringPtr(u"pong"), DStringPtr(u"<token token=ping>"));
  table->put(DStringPtr(u"red"), guilib::GUIFontPtr(new GUIFont(qel::lcdui::DFont::getDefaultFont(), 0xFF0000)));
  GUIEngine::getInstance()->setResources(table);
}

std::string repeated(const std::string& word, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += word + " ";
  return out;
}

TEST(TextMarkupTest, SourcesParseIntoChunkTrees) {
  struct Case {
    const char16_t* source;
    bool newlineBreaks;
    std::string tree;
  } cases[] = {
      {u"a  b", false, "w:a w:b"},
      {u"a\nb", false, "w:a w:b"},
      {u"a\nb", true, "w:a br w:b"},
      {u"a\r\tb", false, "w:a\r\tb"},  // CR and tab are ordinary characters
      {u"x&nbsp;y", false, "w:x y"},
      {u"&Lt;b&GT; &lt;", false, "w:&Lt;b> w:<"},
      {u"<P>a</P>b", false, "p[w:a] w:b"},
      {u"<p>a</x>b", false, "p[w:a] w:b"},  // any closing tag ends the paragraph
      {u"a</p>b", false, "w:a"},            // and at the top the whole parse
      {u"a<br>b<BR>", false, "w:a br w:b br"},
      {u"<blink rate=fast>a", false, "w:a"},
      {u"<align align=center>a<valign align=vcenter><align align=RIGHT>", false, "align(2) w:a valign(8) align(1)"},
      {u"<align align=sideways>", false, "align(0)"},
      {u"<font face=system bold italic>w", false, "font(0 2 -1) w:w"},
      {u"<font face=monospace color=ff0000 size=12 underlined>", false, "font(32 4 16711680)"},
      {u"<font size=large>w", false, "font(null) w:w"},
      {u"<font face=system face=default>", false, "font(null)"},
      {u"<font face=red>", false, "font(0 0 16711680)"},  // a GUIFont resource as it is
      {u"<img src=missing>", false, "w:missing"},
      {u"<img src=logo>", false, "img"},
      {u"<img src=LOGO align=right>", false, "fimg(1)"},
      {u"<anim src=spark align=left margin-top=0x10>", false, "fanim(0)"},
      {u"<img src=spark>", false, "w:spark"},  // an animation is no picture
      {u"<token token=name>!", false, "w:Night w:vault w:!"},
      {u"<token token=nothing>", false, "w:nothing"},
      {u"<token token=loop>", false, repeated("w:x", GUIText::MaxTokenDepth) + "w:loop"},
      {u"<token token=ping>", false, "w:ping"},
      {u"", false, ""},
  };
  GuiHost host;
  host.run([&] {
    installResources();
    for (const Case& c : cases) {
      GUITextPtr text = textOf(c.source, c.newlineBreaks);
      text->validate();
      ASSERT_NE(text->getRoot(), nullptr) << utf8(c.source);
      EXPECT_EQ(describeChildren(*text->getRoot()), c.tree) << utf8(c.source);
    }
    GUITextPtr aligned = textOf(u"<align align=default>", false, 3);
    aligned->validate();
    EXPECT_EQ(describeChildren(*aligned->getRoot()), "align(3)");
    GUITextPtr margins = textOf(u"<img src=logo margin-left=1 margin-top=2 margin-right=3 margin-bottom=4>");
    margins->validate();
    const auto* picture = static_cast<GUITextChunk*>(margins->getRoot()->children->elementAt(0));
    EXPECT_EQ(picture->w, 40 + 1 + 3);
    EXPECT_EQ(picture->h, 30 + 2 + 4);
  });
}

TEST(TextMarkupTest, BadSourcesThrowAndStayUnparsed) {
  std::u16string deep;
  for (int i = 0; i < 100000; ++i) deep += u"<p>";
  struct Case {
    const char16_t* source;
    uint32_t code;
  } cases[] = {
      {deep.c_str(), qel::lang::ExceptionCode::IllegalArgument},
      {u"a <b", qel::lang::ExceptionCode::StringIndexOutOfBounds},
      {u"<font bold face=system>w", qel::lang::ExceptionCode::StringIndexOutOfBounds},
      {u"<p x y=1>", qel::lang::ExceptionCode::StringIndexOutOfBounds},
      {u"<p bare>", qel::lang::ExceptionCode::StringIndexOutOfBounds},
      {u"<p margin-left=zz>", qel::lang::ExceptionCode::NumberFormat},
      {u"<font face=system color=xyz>", qel::lang::ExceptionCode::NumberFormat},
      {u"<font face=system size=big>", qel::lang::ExceptionCode::NumberFormat},
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUITextPtr text = textOf(c.source);
      for (int attempt = 0; attempt < 2; ++attempt) {
        try {
          text->validate();
          ADD_FAILURE() << utf8(std::u16string_view(c.source).substr(0, 40)) << " parsed";
        } catch (const qel::lang::DExceptionBase& e) {
          EXPECT_EQ(e.code(), c.code) << utf8(std::u16string_view(c.source).substr(0, 40));
        }
        EXPECT_EQ(text->getRoot(), nullptr);
      }
    }
  });
}

TEST(TextMarkupTest, StringIdFollowsTheLanguageWithoutACallOnTheText) {
  GuiHost host;
  host.run([] {
    GuiHost::installStrings();
    GUITextPtr title = new GUIText();
    title->setStringId(u"TITLE");
    title->validate();
    EXPECT_EQ(describeChildren(*title->getRoot()), "w:Vault");
    GuiHost::installStrings(u"text/strings_de.txt");
    gamelib::LangInfo::getInstance()->setLanguage(1);
    title->validate();
    EXPECT_EQ(describeChildren(*title->getRoot()), "w:Tresor");
  });
}

}  // namespace
