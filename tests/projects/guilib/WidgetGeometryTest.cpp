#include <climits>
#include <gtest/gtest.h>
#include <vector>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "lang/DExceptionBase.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

using guilib::GUIEngine;
using guilib::GUIPoint;
using guilib::GUIRect;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

using Widget = qel::lang::DPtr<RecordingWidget>;

void expectRect(const GUIRect& actual, const GUIRect& expected, const std::string& what) {
  EXPECT_TRUE(GUIRect::equals(actual, expected))
      << what << ": " << actual.x << "," << actual.y << " " << actual.width << "x" << actual.height;
}

// A 210 x 112 parent at (10, 20) whose client area is 200 x 100 at (5, 6).
GUIWidgetPtr parentWithClient() {
  GUIWidgetPtr parent = new GUIWidget(1);
  parent->setBounds(10, 20, 210, 112);
  parent->setClientRect(5, 6, 200, 100, false);
  return parent;
}

TEST(WidgetGeometryTest, AnchorsPlaceChildrenAgainstHandWorkedRectangles) {
  struct Case {
    int32_t anchor, selfAnchor, layer;
    int32_t x, y;  // the child's bounds position; its size is 20 x 10
    GUIRect onScreen;
  } cases[] = {
      {0, 0, 0, 3, 4, {18, 30, 20, 10}},   // client corner (15, 26) + (3, 4)
      {1, 1, 0, 3, 4, {198, 30, 20, 10}},  // right edge at 15 + 200 + 3
      {2, 2, 0, 3, 4, {108, 30, 20, 10}},  // centred on 15 + 100, then + 3
      {4, 4, 0, 3, 4, {18, 120, 20, 10}},
      {8, 8, 0, 3, 4, {18, 75, 20, 10}},  // 26 + 50 - 5 + 4
      {5, 5, 0, 3, 4, {198, 120, 20, 10}},
      {6, 6, 0, 3, 4, {108, 120, 20, 10}},
      {9, 9, 0, 3, 4, {198, 75, 20, 10}},
      {10, 10, 0, 3, 4, {108, 75, 20, 10}},
      {5, 5, 0, 0, 0, {195, 116, 20, 10}},   // the client's bottom-right corner
      {10, 10, 0, 0, 0, {105, 71, 20, 10}},  // centred in the client
      {5, 0, 0, 0, 0, {215, 126, 20, 10}},   // its corner on the client's corner, outside
      {0, 5, 0, 0, 0, {-5, 16, 20, 10}},     // its far corner on the client's corner
      {5, 5, 1, 0, 0, {200, 122, 20, 10}},   // layer 1: the parent's whole bounds
      {10, 10, 2, 0, 0, {105, 71, 20, 10}},  // layer 2 likewise: 10 + 105 - 10
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUIWidgetPtr parent = parentWithClient();
      GUIWidgetPtr child = new GUIWidget(2);
      child->setLayer(c.layer);
      child->setBounds(c.x, c.y, 20, 10);
      child->setAnchors(c.anchor, c.selfAnchor);
      parent->addChild(child);
      expectRect(child->toScreen({0, 0, 20, 10}),
                 c.onScreen,
                 "anchor " + std::to_string(c.anchor) + "/" + std::to_string(c.selfAnchor) + " layer " +
                     std::to_string(c.layer));
    }
    // Without a parent the display is the reference area.
    GUIWidgetPtr alone = new GUIWidget(3);
    alone->setBounds(0, 0, 40, 20);
    alone->setAnchors(10, 10);
    expectRect(alone->toScreen({0, 0, 40, 20}), {100, 150, 40, 20}, "parentless");
  });
}

TEST(WidgetGeometryTest, ContentScrollsLayerZeroButNotLayerOne) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr parent = parentWithClient();
    GUIWidgetPtr content = parent->addChild(new GUIWidget(2));
    content->setBounds(0, 0, 20, 400);
    GUIWidgetPtr decoration = new GUIWidget(3);
    decoration->setLayer(1);
    decoration->setBounds(2, 2, 5, 5);
    parent->addChild(decoration);
    parent->setTargetScroll(0, 80);
    parent->scrollStep();  // 80 is three quarters of the client height or more: one jump
    EXPECT_EQ(parent->getScrollY(), 80);
    expectRect(content->toScreen({0, 0, 20, 400}), {15, 26 - 80, 20, 400}, "content");
    expectRect(decoration->toScreen({0, 0, 5, 5}), {12, 22, 5, 5}, "decoration");
  });
}

TEST(WidgetGeometryTest, SetBoundsReportsResizeAndMoveOnlyOnChange) {
  GuiHost host;
  host.run([] {
    Widget w = new RecordingWidget();
    w->setBounds(10, 10, 50, 20);
    w->update(GUIEngine::getScreenRect(), 0, 0);  // clears the moved bit
    w->received.clear();
    w->setBounds(10, 10, 50, 20);
    EXPECT_TRUE(w->received.empty());
    w->setSize(60, 25);
    EXPECT_EQ(w->events(), std::vector<int32_t>{GUIWidget::ResizedEvent});
    EXPECT_FALSE(w->hasState(GUIWidget::Moved));
    w->received.clear();
    w->setPosition(11, 10);
    EXPECT_TRUE(w->hasState(GUIWidget::Moved));
    EXPECT_EQ(w->received.front().event, GUIWidget::StateOnEvent + 6);
    EXPECT_EQ(w->received.back().event, GUIWidget::ResizedEvent);
    w->update(GUIEngine::getScreenRect(), 0, 0);
    EXPECT_FALSE(w->hasState(GUIWidget::Moved));

    // moveBy shifts the position and keeps the size; a zero move changes nothing.
    w->received.clear();
    w->moveBy(0, 0);
    EXPECT_TRUE(w->received.empty());
    w->moveBy(-3, 4);
    expectRect(w->getBounds(), GUIRect{8, 14, 60, 25}, "moved by (-3, 4)");
    EXPECT_TRUE(w->hasState(GUIWidget::Moved));
  });
}

TEST(WidgetGeometryTest, ClientAreaKeepsItsMarginsOrIsCutToTheBounds) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr w = parentWithClient();  // margins: 5 left, 6 top, 5 right, 6 bottom
    w->setSize(100, 50);
    expectRect(w->getClientRect(), {5, 6, 90, 38}, "margins kept");
    w->setClientRect(2, 3, 500, 500, false);
    expectRect(w->getClientRect(), {2, 3, 98, 47}, "cut to the bounds");
    w->setClientRect(4, 4, 10, 10, false);
    w->setClientRect(4, 4, 20, 30, true);  // right margin 86, bottom 36
    expectRect(w->getBounds(), {10, 20, 110, 70}, "bounds follow");
  });
}

TEST(WidgetGeometryTest, ContentBoundsHoldTheOriginTheVisibleChildrenAndTheInsets) {
  struct Child {
    GUIRect bounds;
    bool visible;
  };
  struct Case {
    const char* name;
    std::vector<Child> children;
    int32_t insets[4];
    GUIRect content;
  } cases[] = {
      {"no children", {}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"one child, client offset added", {{{10, 20, 30, 40}, true}}, {0, 0, 0, 0}, {0, 0, 45, 66}},
      {"child above the origin", {{{-20, -30, 10, 10}, true}}, {0, 0, 0, 0}, {-15, -24, 15, 24}},
      {"hidden and empty children add nothing",
       {{{10, 20, 30, 40}, false}, {{100, 100, 0, 9}, true}, {{1, 1, 1, 1}, true}},
       {0, 0, 0, 0},
       {0, 0, 7, 8}},
      {"insets", {{{10, 20, 30, 40}, true}}, {1, 2, 3, 4}, {-1, -2, 49, 72}},
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUIWidgetPtr parent = parentWithClient();
      for (const Child& wanted : c.children) {
        GUIWidgetPtr child = parent->addChild(nullptr);
        child->setBounds(wanted.bounds.x, wanted.bounds.y, wanted.bounds.width, wanted.bounds.height);
        if (!wanted.visible) child->setState(GUIWidget::Visible, false);
      }
      parent->setContentInsets(c.insets[0], c.insets[1], c.insets[2], c.insets[3]);
      expectRect(parent->getContentBounds(), c.content, c.name);
    }
  });
}

TEST(WidgetGeometryTest, EmptyContentIsComputedOnTheFirstClampOrOnResize) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr parent = parentWithClient();
    GUIWidgetPtr child = parent->addChild(nullptr);
    child->setBounds(0, 300, 10, 10);
    EXPECT_EQ(parent->clampScrollY(1000), 316 - 100);  // content bottom 6 + 310, less the client height
    GUIWidgetPtr other = parentWithClient();
    other->addChild(nullptr)->setBounds(0, 0, 10, 500);
    other->handleEvent(GUIWidget::ResizedEvent, false, nullptr, 0);
    EXPECT_EQ(other->getContentBounds().height, 506);
  });
}

// A 100-pixel-wide client 80 high over 1000 pixels of content, scrolled to 100.
GUIWidgetPtr scrolledView(Widget& view) {
  view = new RecordingWidget();
  view->setBounds(0, 0, 100, 80);
  view->addChild(nullptr)->setBounds(0, 0, 100, 1000);
  view->setTargetScroll(0, 100);
  view->scrollStep();
  view->received.clear();
  return view;
}

TEST(WidgetGeometryTest, SmoothScrollingStepsAnEighthAndJumpsFromThreeQuarters) {
  GuiHost host;
  host.run([] {
    Widget view;
    scrolledView(view);
    ASSERT_EQ(view->getScrollY(), 100);
    view->scrollUp(0);  // an eighth of 320
    EXPECT_EQ(view->getTargetScrollY(), 60);
    std::vector<int32_t> positions;
    for (int i = 0; i < 40; ++i) {
      view->scrollStep();
      positions.push_back(view->getScrollY());
    }
    // 40 / 8, 35 / 8, 31 / 8, ... then single pixels, never less.
    EXPECT_EQ(std::vector<int32_t>(positions.begin(), positions.begin() + 10),
              (std::vector<int32_t>{95, 91, 88, 85, 82, 80, 78, 76, 74, 73}));
    EXPECT_EQ(positions.back(), 60);
    const size_t moves = static_cast<size_t>(std::find(positions.begin(), positions.end(), 60) - positions.begin()) + 1;
    EXPECT_EQ(view->events(), std::vector<int32_t>(moves, GUIWidget::ScrollChangedEvent));
    EXPECT_TRUE(GUIEngine::getInstance()->isRepaintNeeded());

    struct Jump {
      int32_t target;
      int32_t after;
    } jumps[] = {{160, 160}, {159, 107}, {40, 40}, {5000, 920}, {-5, 0}};
    for (const Jump& j : jumps) {
      scrolledView(view);
      view->setTargetScroll(0, j.target);
      view->scrollStep();
      EXPECT_EQ(view->getScrollY(), j.after) << j.target;
    }
  });
}

TEST(WidgetGeometryTest, ScrollingUpOrDownByZeroOrLessEnds) {
  struct Case {
    int32_t target;  // before the call; the position is 100
    bool up;
    int32_t n;
    int32_t newTarget;
  } cases[] = {
      {100, true, 0, 60},
      {100, false, 0, 140},  // an eighth of the screen height
      {100, true, -5, 95},
      {100, false, -5, 105},  // a negative step counts by its size
      {130, true, 7, 95},
      {130, true, -7, 95},  // target below: stepped back past the position
      {70, false, 7, 105},
      {70, false, -7, 105},  // target above: stepped down past it
      {130, true, INT_MIN, 0},
      {70, false, INT_MIN, 920},  // clamped to the content
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      Widget view;
      scrolledView(view);
      view->setTargetScroll(0, c.target);
      if (c.up)
        view->scrollUp(c.n);
      else
        view->scrollDown(c.n);
      EXPECT_EQ(view->getTargetScrollY(), c.newTarget) << c.target << (c.up ? " up " : " down ") << c.n;
    }
  });
}

TEST(WidgetGeometryTest, ScrollIntoViewCentresAChildNotWhollyVisible) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr view = new GUIWidget(1);
    view->setBounds(0, 0, 100, 100);
    GUIWidgetPtr visible = view->addChild(nullptr);
    visible->setBounds(10, 10, 20, 20);
    GUIWidgetPtr below = view->addChild(nullptr);
    below->setBounds(0, 300, 20, 10);
    view->scrollIntoView(visible);
    EXPECT_EQ(view->getTargetScrollY(), 0);
    view->scrollIntoView(below);
    EXPECT_EQ(view->getTargetScrollX(), 10 - 50);
    EXPECT_EQ(view->getTargetScrollY(), 305 - 50);
    // Under a top inset of 15 the first child is no longer wholly visible.
    view->setTargetScroll(0, 0);
    view->setContentInsets(0, 15, 0, 0);
    view->scrollIntoView(visible);
    EXPECT_EQ(view->getTargetScrollY(), 20 - 50);
    GUIWidgetPtr stranger = new GUIWidget(9);
    view->setTargetScroll(0, 0);
    view->scrollIntoView(stranger);
    EXPECT_EQ(view->getTargetScrollY(), 0);
  });
}

TEST(WidgetGeometryTest, FindChildByIdSearchesDepthFirstOnlyWhenAsked) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr root = new GUIWidget(1);
    GUIWidgetPtr first = root->addChild(new GUIWidget(2));
    GUIWidgetPtr deep = first->addChild(new GUIWidget(3))->addChild(new GUIWidget(7));
    GUIWidgetPtr later = root->addChild(new GUIWidget(7));
    GUIWidgetPtr overlay = new GUIWidget(8);
    overlay->setLayer(2);
    root->addChild(overlay);
    EXPECT_EQ(root->findChildById(7, false), later);
    EXPECT_EQ(root->findChildById(7, true), deep);
    EXPECT_EQ(root->findChildById(3, false), nullptr);
    EXPECT_EQ(root->findChildById(8, false), overlay);
    // Moving between layers keeps one entry.
    overlay->setLayer(1);
    EXPECT_TRUE(root->getChildren(2).empty());
    EXPECT_EQ(root->getChildren(1).size(), 1u);
    EXPECT_TRUE(root->removeChild(overlay));
    EXPECT_FALSE(root->removeChild(overlay));
    EXPECT_EQ(root->addChild(nullptr)->getId(), -1);
  });
}

// Only layers 0, 1 and 2 exist: any other is refused and changes nothing.
TEST(WidgetGeometryTest, LayersOutsideTheThreeAreRefused) {
  GuiHost host;
  host.run([] {
    auto codeOf = [](auto&& call) -> uint32_t {
      try {
        call();
      } catch (const qel::lang::DExceptionBase& e) {
        return e.code();
      }
      return 0;
    };
    GUIWidgetPtr root = new GUIWidget(1);
    GUIWidgetPtr child = root->addChild(new GUIWidget(2));
    child->setLayer(1);
    for (int32_t layer : {-1, 3, INT32_MAX}) {
      EXPECT_EQ(codeOf([&] { child->setLayer(layer); }), 0x05800001u) << layer;
      EXPECT_EQ(codeOf([&] { root->getChildren(layer); }), 0x05800001u) << layer;
      EXPECT_EQ(child->getLayer(), 1);
      EXPECT_EQ(root->getChildren(1).size(), 1u);
      EXPECT_TRUE(root->getChildren(2).empty());
    }
  });
}

TEST(WidgetGeometryTest, ScrollingToAnEdgeComputesAnEmptyContentFirst) {
  struct Case {
    const char* name;
    void (GUIWidget::*scroll)();
    int32_t targetX, targetY;
  } cases[] = {
      {"top", &GUIWidget::scrollToTop, 0, -10},
      {"bottom", &GUIWidget::scrollToBottom, 0, 1000 - 80},
      {"left", &GUIWidget::scrollToLeft, -10, 0},
      {"right", &GUIWidget::scrollToRight, 300 - 100, 0},
  };
  GuiHost host;
  host.run([&] {
    for (const Case& c : cases) {
      GUIWidgetPtr view = new GUIWidget(1);
      view->setBounds(0, 0, 100, 80);  // its content is computed here, still empty
      view->addChild(nullptr)->setBounds(0, 0, 300, 1000);
      view->setContentInsets(10, 10, 0, 0);
      ((*view).*c.scroll)();
      EXPECT_EQ(view->getTargetScrollX(), c.targetX) << c.name;
      EXPECT_EQ(view->getTargetScrollY(), c.targetY) << c.name;
    }
  });
}

// A widget inside its own subtree would make every walk of the tree endless.
TEST(WidgetGeometryTest, AWidgetIsRefusedAsAChildOfItselfOrOfItsSubtree) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr root = new GUIWidget(1);
    GUIWidgetPtr middle = root->addChild(new GUIWidget(2));
    GUIWidgetPtr leaf = middle->addChild(new GUIWidget(3));
    const struct {
      GUIWidgetPtr parent, child;
      const char* name;
    } refused[] = {{leaf, leaf, "itself"},
                   {leaf, middle, "its parent"},
                   {leaf, root, "its grandparent"},
                   {middle, root, "the root"}};
    for (const auto& r : refused) EXPECT_THROWS_CODE(0x05400000u, r.parent->addChild(r.child)) << r.name;
    EXPECT_EQ(root->getParent(), nullptr);
    EXPECT_EQ(middle->getParent(), root);
    EXPECT_EQ(leaf->getParent(), middle);
    EXPECT_TRUE(leaf->getChildren(0).empty());
    EXPECT_EQ(root->getChildren(0).size(), 1u);
    EXPECT_FALSE(root->handleEvent(GUIWidget::ValueEvent, true, nullptr, 0));  // the broadcast ends
    // Moving a widget into another branch stays allowed.
    GUIWidgetPtr sibling = root->addChild(new GUIWidget(4));
    sibling->addChild(leaf);
    EXPECT_EQ(leaf->getParent(), sibling);
    EXPECT_TRUE(middle->getChildren(0).empty());
  });
}

}  // namespace
