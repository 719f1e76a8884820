#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "GuiHost.h"
#include "TestApplication.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUITextBox.h"
#include "guilib/GUITextChunk.h"
#include "guilib/GUIWidget.h"
#include "lang/DString.h"
#include "util/DVector.h"

using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUITextBox;
using guilib::GUITextBoxPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;
namespace app = test_application;

namespace {

void drain() {
  guilib::GUIEnginePtr engine = GUIEngine::getInstance();
  while (GUIActionPtr a = engine->takeNextAction()) engine->executeAction(a);
}

// Each code as a character event, its edit made when the queue is worked off.
void typeInto(const GUITextBoxPtr& box, const std::u16string& codes) {
  for (char16_t c : codes) {
    const int32_t code = c;
    box->handleEvent(GUIWidget::CharacterEvent, false, &code, 4);
  }
  drain();
}

std::u16string textOf(const GUITextBoxPtr& box) { return std::u16string(box->getText()->view()); }

TEST(TextBoxTest, EditsByLengthLimitBackspaceAndAllowedCharacters) {
  struct Case {
    const char* name;
    int32_t maximum;
    const char16_t* allowed;
    bool exactCase;
    std::u16string typed;
    std::u16string text;
  } cases[] = {
      {"full box drops more", 3, nullptr, false, u"abcd", u"abc"},
      {"backspace drops the last", 3, nullptr, false, u"abcd\b", u"ab"},
      {"backspace on empty", 3, nullptr, false, u"\b\b", u""},
      {"either case of the allowed set", 10, u"abc", false, u"Abd C", u"AbC"},
      {"exact case", 10, u"abc", true, u"Abd C", u"b"},
      {"control codes are characters", 10, nullptr, false, u"a\tb", u"a\tb"},
      {"a typed '<' is one character", 10, nullptr, false, u"a<b", u"a<b"},
      {"backspace takes one '<'", 10, nullptr, false, u"a<<\b", u"a<"},
      {"each '<' counts once against the maximum", 3, nullptr, false, u"<<<<", u"<<<"},
      {"typed entity letters stay letters", 10, nullptr, false, u"&lt;\b", u"&lt"},
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUITextBoxPtr box = new GUITextBox(1);
      box->setMaximumLength(c.maximum);
      if (c.allowed) box->setAllowedCharacters(new qel::lang::DString(c.allowed));
      box->setExactCase(c.exactCase);
      typeInto(box, c.typed);
      EXPECT_EQ(textOf(box), c.text) << c.name;
      box->getGUIText()->parse();  // the label always parses
    }
  });
}

// The label gets the typed text as markup; the box keeps it as typed.
TEST(TextBoxTest, TheLabelShowsATypedLessThanSignThroughItsEntity) {
  GuiHost host;
  host.run([] {
    app::useMonospaceFont();
    GUITextBoxPtr box = new GUITextBox(1);
    box->setMinimumLength(3);
    box->setSourcedAction(box, GUIWidget::SubmitEvent, GUIAction::SetState, 256, nullptr, nullptr);
    typeInto(box, u"a<\r");
    EXPECT_FALSE(box->hasState(256));  // two characters
    typeInto(box, u"b");
    EXPECT_EQ(box->getGUIText()->getText()->view(), u"a&lt;b");
    box->getGUIText()->parse();
    guilib::GUITextChunkPtr root = box->getGUIText()->getRoot();
    ASSERT_TRUE(root && root->children);
    ASSERT_EQ(root->children->size(), 1);
    const auto* word = static_cast<guilib::GUITextChunk*>(root->children->elementAt(0));
    const auto* shown = dynamic_cast<const qel::lang::DString*>(word->content.get());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->view(), u"a<b");
    typeInto(box, u"\r");
    EXPECT_TRUE(box->hasState(256));
    // A source set on the label from elsewhere is markup: the box edits what it shows.
    box->getGUIText()->setText(new qel::lang::DString(u"x&lt;y"));
    typeInto(box, u"z");
    EXPECT_EQ(textOf(box), u"x<yz");
  });
}

TEST(TextBoxTest, ReturnReachesTheSubmitActionsOnlyFromTheMinimumLength) {
  GuiHost host;
  host.run([] {
    GUITextBoxPtr box = new GUITextBox(1);
    box->setMinimumLength(4);
    box->setSourcedAction(box, GUIWidget::SubmitEvent, GUIAction::SetState, 256, nullptr, nullptr);
    typeInto(box, u"abc\r");
    EXPECT_FALSE(box->hasState(256));
    EXPECT_EQ(textOf(box), u"abc");
    typeInto(box, u"d\r");
    EXPECT_TRUE(box->hasState(256));
    EXPECT_EQ(textOf(box), u"abcd");
  });
}

TEST(TextBoxTest, CaretBlinksAtTheTextsEndInItsColour) {
  GuiHost host;
  GUITextBoxPtr centred, plain;
  std::vector<bool> phases;
  std::vector<GuiHost::Frame> frames;
  for (int i = 0; i < 40; ++i)
    frames.push_back([&, i] {
      if (i == 0) return;
      phases.push_back(centred->isCaretShown());
      const bool red = GuiHost::pixel(120, 104) == GuiHost::through565(0xFF0000);
      EXPECT_EQ(red, centred->isCaretShown());
      for (int x = 20; x < 220; ++x) EXPECT_NE(GuiHost::pixel(x, 154), GuiHost::through565(0xFF0000)) << x;
    });
  host.run(
      [&] {
        app::useMonospaceFont();
        GUIWidgetPtr screen = new GUIWidget(1);
        screen->fillScreen();
        screen->animate(GUIWidget::Background, 0x000000, -1, 0, 0);
        centred = new GUITextBox(2);  // empty, centred: the caret at x + w / 2
        centred->setBounds(20, 100, 200, centred->getBounds().height);
        centred->getGUIText()->setAlignment(GUIWidget::AnchorCentreX);
        centred->setCaretColour(0xFF0000);
        plain = new GUITextBox(3);  // caret colour -1: none
        plain->setBounds(20, 150, 200, plain->getBounds().height);
        screen->addChild(centred);
        screen->addChild(plain);
        GUIEngine::getInstance()->showScreen(screen);
      },
      frames);
  ASSERT_GT(centred->getBounds().height, 8);
  // Both phases, each lasting about the blink period of 500 ms.
  int flips = 0;
  for (size_t i = 1; i < phases.size(); ++i) flips += phases[i] != phases[i - 1];
  EXPECT_GE(flips, 2);
  EXPECT_LE(flips, 5);
}

}  // namespace
