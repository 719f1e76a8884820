#include <gtest/gtest.h>
#include <vector>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "TestApplication.h"
#include "gamelib/LangInfo.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIModalScreen.h"
#include "guilib/GUITextChunk.h"
#include "guilib/GUIWidget.h"
#include "guilib/HostCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "util/DHashtable.h"

using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;
using guilib::HostCanvas;

namespace {

using Widget = qel::lang::DPtr<RecordingWidget>;

GUIEngine& engine() { return *GUIEngine::getInstance(); }

GUIWidgetPtr screenAt(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h) {
  GUIWidgetPtr screen = new GUIWidget(id);
  screen->setBounds(x, y, w, h);
  return screen;
}

std::vector<int32_t> painted;
bool recordPaint(GUIWidget& widget, const qel::lcdui::DGraphicsPtr&) {
  painted.push_back(widget.getId());
  return false;
}

TEST(EngineTest, PaintStartsAtTheHighestScreenCoveringTheDisplay) {
  struct Case {
    const char* name;
    std::vector<guilib::GUIRect> screens;
    bool topOnly;
    std::vector<int32_t> painted;
  } cases[] = {
      {"middle covers", {{0, 0, 240, 320}, {0, 0, 240, 320}, {10, 10, 100, 100}}, false, {1, 2}},
      {"none covers", {{0, 0, 200, 320}, {0, 1, 240, 320}, {10, 10, 100, 100}}, false, {0, 1, 2}},
      {"top covers", {{0, 0, 240, 320}, {0, 0, 240, 320}, {0, 0, 240, 320}}, false, {2}},
      {"top only", {{0, 0, 240, 320}, {0, 0, 100, 100}, {10, 10, 100, 100}}, true, {2}},
  };
  GuiHost host;
  host.run([] {}, {[&] {
             for (const Case& c : cases) {
               for (size_t i = 0; i < c.screens.size(); ++i) {
                 const guilib::GUIRect& r = c.screens[i];
                 GUIWidgetPtr screen = screenAt(static_cast<int32_t>(i), r.x, r.y, r.width, r.height);
                 screen->setPaintHooks(&recordPaint, nullptr);
                 engine().showScreen(screen);
               }
               painted.clear();
               engine().paint(c.topOnly);
               EXPECT_EQ(painted, c.painted) << c.name;
               engine().closeAllScreens();
             }
           }});
}

TEST(EngineTest, OverlaysArePaintedForScreensOnly) {
  GuiHost host;
  host.run([] {}, {[] {
             GUIWidgetPtr screen = screenAt(1, 0, 0, 240, 320);
             GUIWidgetPtr overlay = new GUIWidget(10);
             overlay->setLayer(2);
             GUIWidgetPtr panel = new GUIWidget(11);
             GUIWidgetPtr nestedOverlay = new GUIWidget(12);
             nestedOverlay->setLayer(2);
             for (const GUIWidgetPtr& w : {screen, overlay, panel, nestedOverlay}) {
               w->setPaintHooks(&recordPaint, nullptr);
               w->setSize(50, 50);
             }
             screen->fillScreen();
             screen->addChild(overlay);
             screen->addChild(panel)->addChild(nestedOverlay);
             engine().showScreen(screen);
             painted.clear();
             engine().paint(false);
             EXPECT_EQ(painted, (std::vector<int32_t>{1, 11, 10}));
           }});
}

// A full screen holding one button at (20, 20) of 50 x 30 and, when asked,
// a second button over it; the screen's update hook records the pointer
// state the widgets see in each update.
struct PointerScene {
  Widget button;
  std::vector<int32_t> states;
  std::vector<bool> pressedBits;
  static inline PointerScene* current = nullptr;

  static bool recordState(GUIWidget&) {
    current->states.push_back(engine().getPointerState());
    return false;
  }

  void build(bool acceptsDrag) {
    current = this;
    GUIWidgetPtr screen = screenAt(1, 0, 0, 240, 320);
    screen->setUpdateHooks(&recordState, nullptr);
    button = new RecordingWidget(2);
    button->setBounds(20, 20, 50, 30);
    button->setAcceptsDrag(acceptsDrag);
    screen->addChild(button);
    engine().showScreen(screen);
  }
  // Runs before the frame's input: what the previous update left.
  void notePressed() { pressedBits.push_back(button->hasState(GUIWidget::Pressed)); }
  std::vector<int32_t> pointerEvents() const {
    std::vector<int32_t> out;
    for (int32_t e : button->events())
      if (e == GUIWidget::ClickEvent || e == GUIWidget::PointerDownEvent || e == GUIWidget::DragEvent) out.push_back(e);
    return out;
  }
};

TEST(EngineTest, HeldPointerSendsDownEventsAndTheReleaseAClick) {
  PointerScene scene;
  GuiHost host;
  host.run([&] { scene.build(false); },
           {[] { GuiHost::input().pointerPressed(30, 30); },
            [&] { scene.notePressed(); },
            [&] {
              scene.notePressed();
              GuiHost::input().pointerReleased(32, 33);
            },
            [&] {
              scene.notePressed();
              // Down and up between two updates: nothing at all.
              GuiHost::input().pointerPressed(40, 40);
              GuiHost::input().pointerReleased(40, 40);
            },
            [] {}});
  EXPECT_EQ(scene.pointerEvents(), (std::vector<int32_t>{5, 5, 5, 4}));
  EXPECT_EQ(scene.button->dataOf(5).front(), (std::vector<int32_t>{10, 10}));
  EXPECT_EQ(scene.button->dataOf(4).front(), (std::vector<int32_t>{12, 13}));
  EXPECT_EQ(scene.pressedBits, (std::vector<bool>{true, true, false}));
}

TEST(EngineTest, DragStartsAtFivePixelsOnOneAxisAndRunsThroughItsStates) {
  struct Case {
    const char* name;
    bool acceptsDrag;
    int32_t dragX, dragY;  // second drag position; the first is (32, 31)
    int32_t thirdX;        // third drag position, on the same row
    std::vector<int32_t> states;
    std::vector<int32_t> events;
  } cases[] = {
      {"five pixels", true, 35, 31, 39, {0, 1, 2, 3, 4, 0}, {5, 5, 17, 17, 17}},
      {"four on each axis", true, 34, 34, 34, {0, 1, 1, 1, 0, 0}, {5, 5, 5, 5, 5, 4}},
      {"target refuses drags", false, 35, 31, 39, {0, 1, 2, 1, 0, 0}, {5, 5, 5, 5, 5, 4}},
  };
  for (const Case& c : cases) {
    PointerScene scene;
    GuiHost host;
    host.run([&] { scene.build(c.acceptsDrag); },
             {[] { GuiHost::input().pointerPressed(30, 30); },
              [] { GuiHost::input().pointerDragged(32, 31); },
              [&] { GuiHost::input().pointerDragged(c.dragX, c.dragY); },
              [&] {
                scene.notePressed();
                GuiHost::input().pointerDragged(c.thirdX, c.dragY);
              },
              [&] { GuiHost::input().pointerReleased(c.thirdX, c.dragY); },
              [] {}});
    EXPECT_EQ(scene.states, c.states) << c.name;
    EXPECT_EQ(scene.pointerEvents(), c.events) << c.name;
    // The press survives unless a drag took over.
    EXPECT_EQ(scene.pressedBits, std::vector<bool>{c.events.back() == GUIWidget::ClickEvent}) << c.name;
    EXPECT_FALSE(scene.button->hasState(GUIWidget::Pressed | GUIWidget::Dragged)) << c.name;
  }
  // The drag events of the first case: from where the drag began, then
  // from the previous update's position; local to the button.
  PointerScene scene;
  GuiHost host;
  host.run([&] { scene.build(true); },
           {[] { GuiHost::input().pointerPressed(30, 30); },
            [] { GuiHost::input().pointerDragged(32, 31); },
            [] { GuiHost::input().pointerDragged(36, 31); },
            [&] {
              EXPECT_TRUE(scene.button->hasState(GUIWidget::Dragged));
              EXPECT_FALSE(scene.button->hasState(GUIWidget::Pressed));
              GuiHost::input().pointerDragged(40, 31);
            },
            [] { GuiHost::input().pointerReleased(40, 31); },
            [] {}});
  EXPECT_EQ(scene.button->dataOf(17),
            (std::vector<std::vector<int32_t>>{{10, 10, 16, 11}, {16, 11, 20, 11}, {20, 11, 20, 11}}));
}

TEST(EngineTest, ScreenStackSendsShownAndHiddenToWholeSubtreesAndClearsKeys) {
  GuiHost host;
  host.run([] {},
           {[] { GuiHost::input().keyPressed(40); },
            [] {
              ASSERT_TRUE(HostCanvas::keyHeld(HostCanvas::Down));
              Widget screen = new RecordingWidget(1);
              screen->fillScreen();
              Widget child = new RecordingWidget(2);
              Widget grandchild = new RecordingWidget(3);
              screen->addChild(child)->addChild(grandchild);
              engine().showScreen(screen);
              EXPECT_FALSE(HostCanvas::keyHeld(HostCanvas::Down));
              EXPECT_EQ(engine().getTopScreen(), screen);
              EXPECT_TRUE(screen->hasState(GUIWidget::Focused));
              engine().closeScreen();
              EXPECT_EQ(engine().getTopScreen(), nullptr);
              for (const Widget& w : {screen, child, grandchild}) {
                std::vector<int32_t> stack;
                for (int32_t e : w->events())
                  if (e == GUIWidget::ShownEvent || e == GUIWidget::HiddenEvent) stack.push_back(e);
                EXPECT_EQ(stack, (std::vector<int32_t>{7, 6})) << w->getId();
              }

              engine().showScreen(screen);
              engine().close(grandchild);
              EXPECT_EQ(grandchild->events().back(), 6);
              EXPECT_EQ(grandchild->getParent(), nullptr);
              EXPECT_TRUE(child->getChildren(0).empty());
              const size_t before = grandchild->received.size();
              engine().close(grandchild);  // parentless, not the top screen
              EXPECT_EQ(grandchild->received.size(), before);
              engine().close(screen);
              EXPECT_EQ(engine().screenCount(), 0);
            }});
}

// The font is the one class of the library with a name of its own: the
// markup tells font resources from image fonts by it.
TEST(EngineTest, OnlyTheFontAnswersAClassNameOfItsOwn) {
  GuiHost host;
  host.run([] {
    test_application::useMonospaceFont();
    const qel::lang::DObjectPtr objects[] = {
        GUIEngine::getInstance(),
        new GUIWidget(1),
        new guilib::GUIModalScreen(2),
        new guilib::GUIMessageBox(3),
        new guilib::GUIVScrollBar(nullptr, 0, 0, 0, 0, 4),
        new guilib::GUITextBox(5),
        new guilib::GUIVirtualKeyboard(6, true),
        new guilib::GUIAction(0, 0, nullptr, nullptr),
        new guilib::GUIAnimation(-1, 0),
        new guilib::GUIText(),
        new guilib::GUITextChunk(guilib::GUITextChunk::Text, 0),
    };
    for (const qel::lang::DObjectPtr& object : objects) EXPECT_EQ(object->getClassName(), "DObject");
    EXPECT_EQ(GUIEngine::getInstance()->getDefaultStyle()->getClassName(), "GUIFont");
  });
}

TEST(EngineTest, DestroyDisposesEveryWidgetThenDropsTheEngineWithoutMakingANewOne) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr first = GUIEngine::getInstance();
    Widget screen = new RecordingWidget(1);
    Widget child = new RecordingWidget(2);
    Widget orphan = new RecordingWidget(3);  // on no screen
    screen->addChild(child);
    first->showScreen(screen);
    ASSERT_EQ(first->widgetCount(), 3);
    first->destroyInstance();
    EXPECT_EQ(GUIEngine::existingInstance(), nullptr);
    EXPECT_EQ(first->widgetCount(), 0);
    for (const Widget& w : {screen, child, orphan}) EXPECT_EQ(w->disposals, 1) << w->getId();
    EXPECT_EQ(child->getParent(), nullptr);
    EXPECT_TRUE(screen->getChildren(0).empty());
    // A widget disposed again later does not bring an engine back.
    orphan->dispose();
    EXPECT_EQ(GUIEngine::existingInstance(), nullptr);
    GUIEnginePtr second = GUIEngine::getInstance();
    EXPECT_NE(second, first);
    EXPECT_EQ(second->widgetCount(), 0);
    EXPECT_EQ(second->screenCount(), 0);
  });
}

TEST(EngineTest, LanguageListenerFollowsChangesAndNeverMakesAnEngine) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr first = GUIEngine::getInstance();
    EXPECT_EQ(first->getLanguage(), 0);
    gamelib::LangInfo::getInstance()->setLanguage(1);
    EXPECT_EQ(first->getLanguage(), 1);
    first->destroyInstance();
    gamelib::LangInfo::getInstance()->setLanguage(0);
    EXPECT_EQ(GUIEngine::existingInstance(), nullptr);
    EXPECT_EQ(GUIEngine::getInstance()->getLanguage(), 0);
  });
}

TEST(EngineTest, ResourcesAndStringsComeFromWhatTheApplicationInstalled) {
  GuiHost host;
  host.run([] {
    EXPECT_EQ(engine().getResource(u"Logo"), nullptr);
    qel::util::DHashtablePtr table = new qel::util::DHashtable(11, 75);
    qel::lang::DStringPtr logo(u"picture");
    table->put(qel::lang::DStringPtr(u"logo"), logo);
    engine().setResources(table);
    EXPECT_EQ(engine().getResource(u"LoGo").get(), logo.get());
    EXPECT_EQ(engine().getResource(u"other"), nullptr);
    GuiHost::installStrings();
    EXPECT_EQ(engine().getStringManager()->getString(u"OK")->view(), u"Open");

    // A widget's text by id reads the string manager; a null id drops the text.
    GUIWidgetPtr button = new GUIWidget(1);
    button->setTextId(qel::lang::DStringPtr(u"OK"));
    ASSERT_TRUE(button->getGUIText());
    EXPECT_EQ(button->getGUIText()->getText()->view(), u"Open");
    button->setTextId(nullptr);
    EXPECT_FALSE(button->getGUIText());

    // The ellipsis is one text of the engine, "...".
    ASSERT_TRUE(engine().getEllipsisText());
    EXPECT_EQ(engine().getEllipsisText()->getText()->view(), u"...");
    EXPECT_EQ(engine().getEllipsisText().get(), engine().getEllipsisText().get());
  });
}

}  // namespace
