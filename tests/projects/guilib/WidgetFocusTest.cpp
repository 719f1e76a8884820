#include <gtest/gtest.h>
#include <vector>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "lang/DSystem.h"

using guilib::GUIEngine;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

using Widget = qel::lang::DPtr<RecordingWidget>;

TEST(WidgetFocusTest, TabOrderFollowsTabIndicesAndWraps) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr container = new GUIWidget(1);
    std::vector<GUIWidgetPtr> children;
    for (int32_t tab : {2, 0, 5, -1}) {
      GUIWidgetPtr child = container->addChild(new GUIWidget(10 + tab));
      child->setTabIndex(tab);
      children.push_back(child);
    }
    container->focusFirst();
    std::vector<int32_t> order{container->getFocusedChild()->getTabIndex()};
    for (int i = 0; i < 4; ++i) {
      container->focusNext();
      order.push_back(container->getFocusedChild()->getTabIndex());
    }
    EXPECT_EQ(order, (std::vector<int32_t>{0, 2, 5, 0, 2}));
    container->focusPrevious();
    container->focusPrevious();
    EXPECT_EQ(container->getFocusedChild()->getTabIndex(), 5);
    container->focusLast();
    EXPECT_EQ(container->getFocusedChild()->getTabIndex(), 5);
    EXPECT_FALSE(children[3]->hasState(GUIWidget::Focused));
  });
}

TEST(WidgetFocusTest, DirectionalFocusTakesTheNearestLineAndWraps) {
  // A 3 x 3 grid of 20 x 20 cells, listed row by row.
  struct Case {
    int start;
    const char* moves;
    std::vector<int> visited;
  } cases[] = {
      {6, "uu", {3, 0}},  // up the left column
      {0, "u", {6}},      // wraps to the bottom row
      {0, "dd", {3, 6}},
      {6, "d", {0}},          // wraps to the top row
      {0, "rrr", {1, 2, 0}},  // along the row, then round to the left
      {4, "lll", {3, 5, 4}},
      {8, "uld", {5, 4, 7}},
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUIWidgetPtr grid = new GUIWidget(1);
      grid->setBounds(0, 0, 100, 100);
      std::vector<GUIWidgetPtr> cells;
      for (int i = 0; i < 9; ++i) {
        GUIWidgetPtr cell = grid->addChild(new GUIWidget(i));
        cell->setBounds(i % 3 * 20, i / 3 * 20, 20, 20);
        cell->setTabIndex(i);
        cells.push_back(cell);
      }
      cells[c.start]->setFocus(true);
      std::vector<int> visited;
      for (const char* m = c.moves; *m; ++m) {
        if (*m == 'u') grid->focusUp();
        if (*m == 'd') grid->focusDown();
        if (*m == 'l') grid->focusLeft();
        if (*m == 'r') grid->focusRight();
        visited.push_back(grid->getFocusedChild()->getId());
      }
      EXPECT_EQ(visited, c.visited) << c.start << " " << c.moves;
    }
    GUIWidgetPtr empty = new GUIWidget(2);
    GUIWidgetPtr only = empty->addChild(new GUIWidget(3));
    only->setTabIndex(0);
    empty->focusUp();  // no focused child: the first in tab order
    EXPECT_EQ(empty->getFocusedChild(), only);
  });
}

TEST(WidgetFocusTest, RefreshFindsTheFocusedChildAndJumpsToTheScrollTarget) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr view = new GUIWidget(1);
    view->setBounds(0, 0, 100, 100);
    GUIWidgetPtr top = view->addChild(new GUIWidget(2));
    top->setBounds(0, 0, 100, 20);
    GUIWidgetPtr far = view->addChild(new GUIWidget(3));
    far->setBounds(0, 400, 100, 20);
    far->setFocus(true);
    view->setFocusedChild(nullptr);
    view->setTargetScroll(0, 0);
    view->refresh();
    EXPECT_EQ(view->getFocusedChild(), far);
    EXPECT_TRUE(view->hasState(GUIWidget::Focused));
    EXPECT_EQ(view->getScrollY(), 420 - 100);  // toward centring it, at once, clamped to the content
  });
}

// Records when each down event arrives.
class TimedWidget final : public GUIWidget {
public:
  TimedWidget() : GUIWidget(-1) {}
  bool handleEvent(int32_t event, bool broadcast, const void* data, int32_t size) override {
    if (event == DownEvent) downs.push_back(qel::lang::DSystem::currentTimeMillis(0));
    return GUIWidget::handleEvent(event, broadcast, data, size);
  }
  std::vector<int64_t> downs;
};

TEST(WidgetFocusTest, HeldKeyRepeatsOncePerTickPeriodOnTheFocusChain) {
  qel::lang::DPtr<TimedWidget> focused, other;
  GuiHost host;
  std::vector<GuiHost::Frame> frames{[] { GuiHost::input().keyPressed(40); }};
  for (int i = 0; i < 20; ++i) frames.push_back([] {});
  frames.push_back([] { GuiHost::input().keyReleased(40); });
  for (int i = 0; i < 10; ++i) frames.push_back([] {});
  host.run(
      [&] {
        GUIWidgetPtr screen = new GUIWidget(1);
        screen->fillScreen();
        focused = new TimedWidget();
        other = new TimedWidget();
        screen->addChild(focused);
        screen->addChild(other);
        focused->setFocus(true);
        GUIEngine::getInstance()->showScreen(screen);
      },
      frames);
  // About twenty steps of 42 ms: three or four repeats, each more than the
  // period after the one before, and none after the release.
  ASSERT_GE(focused->downs.size(), 3u);
  for (size_t i = 1; i < focused->downs.size(); ++i) EXPECT_GT(focused->downs[i] - focused->downs[i - 1], 200);
  EXPECT_LE(focused->downs.size(), 5u);
  EXPECT_TRUE(other->downs.empty());
}

}  // namespace
