#include <gtest/gtest.h>
#include <vector>

#include "GuiHost.h"
#include "TestApplication.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIMessageBox.h"
#include "guilib/GUIModalScreen.h"
#include "guilib/GUIVScrollBar.h"
#include "guilib/GUIWidget.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUIMessageBoxPtr;
using guilib::GUIModalScreenPtr;
using guilib::GUIRect;
using guilib::GUIVScrollBar;
using guilib::GUIVScrollBarPtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;
namespace app = test_application;

namespace {

GUIRect onScreen(const GUIWidgetPtr& w) { return w->toScreen({0, 0, w->getBounds().width, w->getBounds().height}); }

std::vector<int32_t> corners(const GUIRect& r) { return {r.x, r.y, r.width, r.height}; }
using Box = std::vector<int32_t>;

TEST(ScrollBarTest, TrackFillsTheBarBetweenTheButtonsAndKeyStepsDefaultToHalfTheContent) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr view = new GUIWidget(1);
    view->setBounds(0, 0, 50, 50);
    view->addChild(new GUIWidget(2))->setBounds(0, 0, 10, 101);
    view->computeContentBounds();
    GUIVScrollBarPtr bar = new GUIVScrollBar(view, 0, 0, 0, 0, 3);
    bar->setSize(10, 200);
    app::skin(bar->getUpButton(), 0xFF0000, 10, 20);
    app::skin(bar->getDownButton(), 0xFF0000, 10, 20);
    for (const GUIWidgetPtr& w : {bar->getUpButton(), bar->getDownButton()}) w->selectSkins(false);
    bar->callUpdateHooks();
    EXPECT_EQ(bar->getTrack()->getBounds().height, 160);
    EXPECT_EQ(bar->getTrack()->getBounds().width, 10);
    EXPECT_EQ(bar->getThumb()->getParent(), bar->getTrack());
    EXPECT_TRUE(bar->getThumb()->acceptsDrag());

    for (int32_t event : {GUIWidget::PageForwardEvent, GUIWidget::PageBackEvent}) {
      GUIActionPtr step = view->getAction(event);
      ASSERT_TRUE(step);
      EXPECT_EQ(step->getParam(), 50);
    }
    GUIVScrollBarPtr stepped = new GUIVScrollBar(view, 7, 9, 0, 0, 4);
    EXPECT_EQ(view->getAction(GUIWidget::PageBackEvent)->getParam(), 7);
    EXPECT_EQ(view->getAction(GUIWidget::PageForwardEvent)->getParam(), 9);

    bar->dispose();
    EXPECT_FALSE(bar->getTrack());
    bar->dispose();  // nothing left to release
    EXPECT_FALSE(bar->getThumb());
  });
}

TEST(MessageBoxTest, TextAreaIsCentredAndSoftKeysSendTheirEventsToTheTopScreen) {
  GuiHost host;
  GUIMessageBoxPtr box;
  auto click = [](int x, int y) {
    return std::vector<GuiHost::Frame>{
        [x, y] { GuiHost::input().pointerPressed(x, y); }, [x, y] { GuiHost::input().pointerReleased(x, y); }, [] {}};
  };
  std::vector<GuiHost::Frame> frames{
      [] {},
      [&] {
        EXPECT_EQ(corners(onScreen(box->getTextArea())), (Box{0, 40, 240, 240}));
        EXPECT_EQ(corners(onScreen(box->getLeftSoftKey())), (Box{0, 300, 60, 20}));
        EXPECT_EQ(corners(onScreen(box->getRightSoftKey())), (Box{180, 300, 60, 20}));
        EXPECT_EQ(corners(onScreen(box->getScrollBar())), (Box{228, 40, 12, 240}));
        EXPECT_FALSE(box->getLeftSoftKey()->canTakeFocus() && box->getLeftSoftKey()->getLayer() == 0);
      }};
  for (auto f : click(10, 310)) frames.push_back(f);
  frames.push_back([&] { EXPECT_EQ(box->getState() & (256 | 512), 256); });
  for (auto f : click(230, 310)) frames.push_back(f);
  frames.push_back([&] {
    EXPECT_EQ(box->getState() & (256 | 512), 256 | 512);
    GuiHost::dumpScreen("message-box");
  });
  host.run(
      [&] {
        box = app::messageBox(app::longMessage());
        GUIEngine::getInstance()->showScreen(box);
      },
      frames);
}

TEST(MessageBoxTest, LongMessageScrollsByKeysAndByDraggingTheThumb) {
  GuiHost host;
  GUIMessageBoxPtr box;
  int32_t range = 0, travel = 0;
  auto thumbY = [&] { return box->getScrollBar()->getThumb()->getBounds().y; };
  auto area = [&] { return box->getTextArea(); };
  int32_t pressX = 0, pressY = 0;
  std::vector<GuiHost::Frame> frames{[] {},
                                     [&] {
                                       range = area()->getContentBounds().height - area()->getClientRect().height;
                                       travel =
                                           box->getScrollBar()->getTrack()->getClientRect().height - app::ThumbHeight;
                                       ASSERT_GT(range, 240);
                                       EXPECT_EQ(travel, 240 - 2 * app::ButtonHeight - app::ThumbHeight);
                                       GuiHost::input().keyPressed(40);
                                     }};
  for (int i = 0; i < 12; ++i) frames.push_back([] {});
  frames.push_back([] { GuiHost::input().keyReleased(40); });
  for (int i = 0; i < 30; ++i) frames.push_back([] {});
  frames.push_back([&] {
    const int32_t scrolled = area()->getScrollY();
    EXPECT_GT(scrolled, 24);  // more than one step
    EXPECT_EQ(thumbY(), scrolled * travel / range);
    GuiHost::dumpScreen("message-box-scrolled-by-keys");
    const GUIRect thumb = onScreen(box->getScrollBar()->getThumb());
    pressX = thumb.x + 6;
    pressY = thumb.y + 6;
    GuiHost::input().pointerPressed(pressX, pressY);
  });
  // The drag starts on the thumb (5 pixels away), then runs past the track's end.
  for (int dy : {2, 7}) frames.push_back([&, dy] { GuiHost::input().pointerDragged(pressX, pressY + dy); });
  frames.push_back([&] {
    EXPECT_EQ(GuiHost::pixel(pressX, pressY - 6), GuiHost::through565(0xE0E0E0));  // the thumb's top
    GuiHost::input().pointerDragged(pressX, 160);
  });
  frames.push_back([] {});  // the drag's action runs in the next frame loop
  frames.push_back([&] {
    EXPECT_EQ(onScreen(box->getScrollBar()->getThumb()).y + app::ThumbHeight / 2, 160);
    EXPECT_EQ(area()->getScrollY(), range * thumbY() / travel);
    GuiHost::dumpScreen("message-box-thumb-dragged");
    GuiHost::input().pointerDragged(pressX, 400);
  });
  frames.push_back([&] { GuiHost::input().pointerReleased(pressX, 400); });
  frames.push_back([&] {
    EXPECT_EQ(thumbY(), travel);
    EXPECT_EQ(area()->getScrollY(), range);
    GuiHost::dumpScreen("message-box-thumb-dragged-to-the-end");
  });
  host.run(
      [&] {
        box = app::messageBox(app::longMessage());
        GUIEngine::getInstance()->showScreen(box);
      },
      frames);
}

TEST(MessageBoxTest, DisposingAModalScreenDropsItsSoftKeysOnce) {
  GuiHost host;
  host.run([] {
    GUIModalScreenPtr screen = new guilib::GUIModalScreen(1);
    EXPECT_EQ(corners(screen->getBounds()), corners(GUIEngine::getScreenRect()));
    ASSERT_TRUE(screen->getLeftSoftKey());
    EXPECT_EQ(screen->getLeftSoftKey()->getLayer(), 2);
    EXPECT_EQ(screen->getAction(GUIWidget::DownEvent)->getType(), GUIAction::FocusNext);
    EXPECT_EQ(screen->getAction(GUIWidget::UpEvent)->getType(), GUIAction::FocusPrevious);
    screen->dispose();
    EXPECT_FALSE(screen->getLeftSoftKey());
    EXPECT_FALSE(screen->getRightSoftKey());
    screen->dispose();
    EXPECT_FALSE(screen->getRightSoftKey());
  });
}

// Without a default font the text area cannot be measured, so the scroll
// bar's constructor throws half-way through the box's.
TEST(MessageBoxTest, AFailedConstructionLeavesNoWidgetRegistered) {
  GuiHost host;
  host.run([] {
    guilib::GUIEnginePtr engine = GUIEngine::getInstance();
    const int32_t before = engine->widgetCount();
    EXPECT_THROWS_CODE(0x05000080u, GUIMessageBoxPtr(new guilib::GUIMessageBox(1)));
    EXPECT_EQ(engine->widgetCount(), before);
    app::useMonospaceFont();
    GUIMessageBoxPtr box = new guilib::GUIMessageBox(2);
    EXPECT_EQ(engine->widgetCount(), before + 9);  // the box, its keys, area, bar and the bar's four parts
  });
}

TEST(MessageBoxTest, TheScrollBarsButtonsTakeThePointerOverTheTextArea) {
  GuiHost host;
  GUIMessageBoxPtr box;
  const GUIRect down{228, 40 + 240 - app::ButtonHeight, app::ScrollBarWidth, app::ButtonHeight};
  auto pressed = [&](const GUIWidgetPtr& w) { return w->hasState(GUIWidget::Pressed); };
  std::vector<GuiHost::Frame> frames{[] {},
                                     [&] { GuiHost::input().pointerPressed(down.x + 6, down.y + 6); },
                                     [&] {
                                       EXPECT_TRUE(pressed(box->getScrollBar()->getDownButton()));
                                       EXPECT_FALSE(pressed(box->getTextArea()));
                                       GuiHost::input().pointerReleased(down.x + 6, down.y + 6);
                                     },
                                     [] {},
                                     [&] {
                                       EXPECT_GT(box->getTextArea()->getTargetScrollY(), 0);
                                       GuiHost::input().pointerPressed(100, 100);  // the area away from the bar
                                     },
                                     [&] { EXPECT_TRUE(pressed(box->getTextArea())); }};
  host.run(
      [&] {
        box = app::messageBox(app::longMessage());
        GUIEngine::getInstance()->showScreen(box);
      },
      frames);
}

}  // namespace
