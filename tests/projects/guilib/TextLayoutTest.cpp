#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../gamelib/TestPng.h"
#include "GuiHost.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextChunk.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DImage.h"
#include "tests/support/OutputFolder.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using guilib::GUIEngine;
using guilib::GUIFont;
using guilib::GUIFontPtr;
using guilib::GUIPoint;
using guilib::GUIText;
using guilib::GUITextChunk;
using guilib::GUITextPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

// A monospace face: every glyph, the space included, has one advance.
GUIFontPtr monospace() {
  return new GUIFont(
      qel::lcdui::DFont::getFont(qel::lcdui::DFont::FACE_MONOSPACE, 0, 12, qel::lcdui::DFont::SIZE_IN_PIXELS),
      0x000000);
}

GUITextPtr monospaceText(const std::u16string& source, int32_t alignment = 0) {
  GUITextPtr text = new GUIText();
  text->setAlignment(alignment);
  text->setText(qel::lang::DStringPtr(new qel::lang::DString(source)));
  text->setFont(monospace());
  return text;
}

std::vector<GUITextChunk*> chunksOf(const GUITextPtr& text) {
  std::vector<GUITextChunk*> out;
  const qel::util::DVectorPtr& children = text->getRoot()->children;
  for (int32_t i = 0; children && i < children->size(); ++i)
    out.push_back(static_cast<GUITextChunk*>(children->elementAt(i)));
  return out;
}

// The words of each row, joined by single spaces, top to bottom.
std::vector<std::string> rows(const GUITextPtr& text) {
  std::map<int32_t, std::string> byY;
  for (GUITextChunk* c : chunksOf(text)) {
    if (c->type != GUITextChunk::Text) continue;
    std::string& row = byY[c->y];
    if (!row.empty()) row += ' ';
    for (char16_t u : static_cast<qel::lang::DString*>(c->content.get())->view()) row.push_back(static_cast<char>(u));
  }
  std::vector<std::string> out;
  for (const auto& [y, row] : byY) out.push_back(row);
  return out;
}

std::u16string widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

struct Metrics {
  int32_t advance, lineHeight;
};

Metrics metricsOf() {
  GUIFontPtr font = monospace();
  return {font->stringWidth(u"x"), font->getHeight()};
}

TEST(TextLayoutTest, MonospaceFaceHasOneAdvance) {
  GuiHost host;
  host.run([] {
    GUIFontPtr font = monospace();
    EXPECT_EQ(font->stringWidth(u"i"), font->stringWidth(u"W"));
    EXPECT_EQ(font->stringWidth(u" "), font->stringWidth(u"W"));
    EXPECT_EQ(font->stringWidth(u"iiii"), 4 * font->stringWidth(u"W"));
  });
}

TEST(TextLayoutTest, GreedyLinesMatchPythonTextwrap) {
  const std::string words =
      "the crew waits by the lift while the guard walks past the vault door twice an hour unbelievably "
      "slowly so a plan of moves is recorded for each member of the crew and played out together "
      "against alarms safes and guards";
  const std::vector<int> columns = {8, 11, 13, 17, 20, 26, 33};
  const std::filesystem::path folder = nvtest::outputFolder("output/wrap");
  std::ofstream(folder / "wrap-input.txt") << words;
  std::ostringstream script;
  script << "import sys, textwrap\n"
            "text = open(sys.argv[1]).read()\n"
            "with open(sys.argv[2], 'w') as out:\n"
            "    for width in [";
  for (int c : columns) script << c << ",";
  script << "]:\n"
            "        for line in textwrap.wrap(text, width=width, break_long_words=False, break_on_hyphens=False):\n"
            "            out.write(str(width) + '|' + line + '\\n')\n";
  std::ofstream(folder / "wrap.py") << script.str();
  const std::string command = "python3 '" + (folder / "wrap.py").string() + "' '" +
                              (folder / "wrap-input.txt").string() + "' '" + (folder / "wrap-output.txt").string() +
                              "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::map<int, std::vector<std::string>> expected;
  std::ifstream in(folder / "wrap-output.txt");
  for (std::string line; std::getline(in, line);) {
    const size_t bar = line.find('|');
    expected[std::stoi(line.substr(0, bar))].push_back(line.substr(bar + 1));
  }
  GuiHost host;
  host.run([&] {
    const Metrics m = metricsOf();
    for (int c : columns) {
      GUITextPtr text = monospaceText(widen(words));
      // Any width from c advances up to one pixel short of c + 1.
      for (int32_t width : {c * m.advance, (c + 1) * m.advance - 1}) {
        text->getHeight(width);
        EXPECT_EQ(rows(text), expected[c]) << c << " columns, " << width << " px";
        EXPECT_EQ(text->getHeight(width), static_cast<int32_t>(expected[c].size()) * m.lineHeight);
      }
    }
  });
}

TEST(TextLayoutTest, LinesBreakAtTheExactFitAndLongWordsStandAlone) {
  GuiHost host;
  host.run([] {
    const Metrics m = metricsOf();
    GUITextPtr text = monospaceText(u"aaa bbb ccc");
    EXPECT_EQ(text->getHeight(11 * m.advance), m.lineHeight);
    EXPECT_EQ(text->getWidth(11 * m.advance), 11 * m.advance);
    EXPECT_EQ(text->getHeight(11 * m.advance - 1), 2 * m.lineHeight);
    EXPECT_EQ(rows(text), (std::vector<std::string>{"aaa bbb", "ccc"}));
    GUITextPtr longWord = monospaceText(u"a unbreakable b");
    longWord->getHeight(5 * m.advance);
    EXPECT_EQ(rows(longWord), (std::vector<std::string>{"a", "unbreakable", "b"}));
    EXPECT_EQ(longWord->getWidth(5 * m.advance), 11 * m.advance);
  });
}

TEST(TextLayoutTest, JustifySpreadsTheRestOverGapsOfOverflowedLinesOnly) {
  GuiHost host;
  host.run([] {
    const Metrics m = metricsOf();
    const int32_t width = 10 * m.advance + 5;
    GUITextPtr text = monospaceText(u"aa bb cc dd ee<br>ff gg", 3);
    text->getHeight(width);
    std::vector<GUITextChunk*> c = chunksOf(text);
    const int32_t rest = width - 8 * m.advance;  // what the first row leaves
    const int32_t gap = m.advance + rest / 2;    // the odd pixel is dropped
    EXPECT_EQ(c[0]->x, 0);
    EXPECT_EQ(c[1]->x, 2 * m.advance + gap);
    EXPECT_EQ(c[2]->x, 4 * m.advance + 2 * gap);
    // "dd ee" ends at a line break and "ff gg" ends the paragraph: single spaces.
    EXPECT_EQ(c[4]->x, 3 * m.advance);
    EXPECT_EQ(c[7]->x, 3 * m.advance);
  });
}

TEST(TextLayoutTest, RightFloatShortensTheLinesBesideIt) {
  GuiHost host;
  host.run([] {
    const Metrics m = metricsOf();
    const std::string png = solidPng(40, 30, 0x336699);
    GUITextPtr text = monospaceText(
        u"<img src=pic align=right>"
        u"a b c d e f g h i j k l m n o p q r s t u v w x y z");
    text->setResource(u"pic",
                      qel::lcdui::DImage::createImageFromData(
                          reinterpret_cast<const uint8_t*>(png.data()), static_cast<int32_t>(png.size()), false));
    text->getHeight(100);
    bool fullWidthRow = false;
    for (GUITextChunk* c : chunksOf(text)) {
      if (c->type == GUITextChunk::FloatingImage) {
        EXPECT_EQ(c->x, 60);
        EXPECT_EQ(c->y, 0);
        continue;
      }
      if (c->y <= 30) {
        EXPECT_LE(c->x + c->w, 60) << c->y;
      }
      if (c->y > 30 && c->x + c->w > 60) fullWidthRow = true;
    }
    EXPECT_TRUE(fullWidthRow);
    EXPECT_GT(m.lineHeight, 0);
  });
}

TEST(TextLayoutTest, HeightsEndPositionsTopsAndTheCache) {
  GuiHost host;
  host.run([] {
    const Metrics m = metricsOf();
    EXPECT_EQ(monospaceText(u"a<br>")->getHeight(100), m.lineHeight);
    EXPECT_EQ(monospaceText(u"a<br>b")->getHeight(100), 2 * m.lineHeight);
    EXPECT_EQ(monospaceText(u"")->getHeight(100), 0);
    struct End {
      int32_t alignment;
      int32_t x;
    } ends[] = {{0, 10}, {1, 10 + 100}, {2, 10 + 50}};
    for (const End& e : ends) {
      const GUIPoint p = monospaceText(u"", e.alignment)->getEndPosition(10, 20, 100, 50);
      EXPECT_EQ(p.x, e.x) << e.alignment;
    }
    const GUIPoint afterWord = monospaceText(u"ab cd")->getEndPosition(10, 20, 100, 50);
    EXPECT_EQ(afterWord.x, 10 + 5 * m.advance);
    EXPECT_EQ(afterWord.y, 20);
    // Cleared after two lines, as a text box's backspace does: the end is back on the first row.
    GUITextPtr cleared = monospaceText(u"a<br>b");
    EXPECT_EQ(cleared->getEndPosition(10, 20, 100, 50).y, 20 + m.lineHeight);
    cleared->setText(new qel::lang::DString(u""));
    EXPECT_EQ(cleared->getEndPosition(10, 20, 100, 50).y, 20);
    for (int32_t vertical : {0, 4, 8}) {
      GUITextPtr tall = monospaceText(u"a<br>b<br>c<br>d", vertical);
      tall->getHeight(100);
      EXPECT_EQ(tall->getTop(0, 7, 100, 10), 7) << vertical;
    }
    GUITextPtr bottom = monospaceText(u"a", 4);
    bottom->getHeight(100);
    EXPECT_EQ(bottom->getTop(0, 0, 100, 100), 100 - m.lineHeight);
    // A second layout at the same width leaves the chunks alone.
    GUITextPtr cached = monospaceText(u"some words to lay out");
    cached->getHeight(100);
    GUITextChunk* second = chunksOf(cached)[1];
    const int32_t placed = second->x;
    second->x = -1;
    cached->getWidth(100);
    cached->getHeight(100);
    EXPECT_EQ(second->x, -1);
    cached->getHeight(90);
    EXPECT_EQ(second->x, placed);
  });
}

TEST(TextLayoutTest, MarkedUpSamplesPaintIntoTheScreen) {
  GuiHost host;
  host.run(
      [] {
        const std::string png = solidPng(24, 18, 0x2266CC);
        GUIEngine::getInstance()->setDefaultStyle(monospace());
        GUIWidgetPtr screen = new GUIWidget(1);
        screen->fillScreen();
        screen->animate(GUIWidget::Background, 0xFFFFFF, -1, 0, 0);
        GUIEngine::getInstance()->showScreen(screen);
        const char16_t* samples[] = {
            u"<align align=left>left <align align=center>centre <align align=right>right",
            u"<img src=pic align=left>A floating picture at the left edge with words flowing beside it and below",
            u"<align align=justify>Justified words spread over the whole width of the line box here",
            // Bare style names only where no '=' follows in the source.
            (u"An <img src=pic> inline picture, <font face=proportional size=10>small<font> base and "
             u"<font face=system size=large color=cc0000 italic bold>large bold"),
        };
        int32_t y = 4;
        for (const char16_t* sample : samples) {
          GUIWidgetPtr label = screen->addChild(nullptr);
          label->setText(sample);
          label->getGUIText()->setResource(
              u"pic",
              qel::lcdui::DImage::createImageFromData(
                  reinterpret_cast<const uint8_t*>(png.data()), static_cast<int32_t>(png.size()), false));
          const int32_t h = label->getGUIText()->getHeight(232);
          label->setBounds(4, y, 232, h);
          y += h + 8;
        }
      },
      {[] {}});
  GuiHost::dumpScreen("text-samples");
  EXPECT_EQ(GuiHost::pixel(4 + 2, 4 + 14 + 8 + 2), GuiHost::through565(0x2266CC));  // the floating picture
}

}  // namespace
