#include <gtest/gtest.h>
#include <vector>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

using guilib::GUIAnimationPtr;
using guilib::GUIEngine;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

using Widget = qel::lang::DPtr<RecordingWidget>;

std::vector<int32_t> stateEvents(const RecordingWidget& w) {
  std::vector<int32_t> out;
  for (const RecordingWidget::Received& r : w.received)
    if (r.event >= GUIWidget::StateOnEvent) out.push_back(r.event);
  return out;
}

TEST(WidgetStateTest, ActivatedIsAPulseOfOneCommit) {
  GuiHost host;
  host.run([] {
    Widget w = new RecordingWidget();
    w->setState(GUIWidget::Activated, true);
    EXPECT_EQ(stateEvents(*w), (std::vector<int32_t>{23, 55}));
    EXPECT_FALSE(w->hasState(GUIWidget::Activated));
  });
}

TEST(WidgetStateTest, StateChangedToNamesTheDirectionOfTheLastCommit) {
  GuiHost host;
  host.run([] {
    Widget w = new RecordingWidget();
    w->setState(GUIWidget::Focused, true);
    EXPECT_TRUE(w->stateChangedTo(GUIWidget::Focused, true));
    EXPECT_FALSE(w->stateChangedTo(GUIWidget::Focused, false));
    EXPECT_FALSE(w->stateChangedTo(GUIWidget::Enabled, true));  // on before and after
    EXPECT_FALSE(w->stateChangedTo(GUIWidget::Enabled, false));
    w->setState(GUIWidget::Focused, false);
    EXPECT_TRUE(w->stateChangedTo(GUIWidget::Focused, false));
    EXPECT_FALSE(w->stateChangedTo(GUIWidget::Focused, true));
    // A mask of two bits changes only when both are on after or both were on before.
    EXPECT_FALSE(w->stateChangedTo(GUIWidget::Focused | GUIWidget::Enabled, true));
    EXPECT_TRUE(w->stateChangedTo(GUIWidget::Focused | GUIWidget::Enabled, false));
  });
}

TEST(WidgetStateTest, FocusMovesBetweenSiblingsAndClimbsToTheContainer) {
  GuiHost host;
  host.run([] {
    Widget container = new RecordingWidget(1);
    Widget a = new RecordingWidget(2);
    Widget b = new RecordingWidget(3);
    container->addChild(a);
    container->addChild(b);
    a->setFocus(true);
    EXPECT_EQ(container->getFocusedChild(), a);
    EXPECT_TRUE(container->hasState(GUIWidget::Focused));
    a->received.clear();
    b->setFocus(true);
    EXPECT_EQ(stateEvents(*a), std::vector<int32_t>{54});
    EXPECT_EQ(stateEvents(*b), std::vector<int32_t>{22});
    EXPECT_EQ(container->getFocusedChild(), b);
    EXPECT_FALSE(container->isFocusLocked());

    Widget disabled = new RecordingWidget(4);
    container->addChild(disabled);
    disabled->setState(GUIWidget::Enabled, false);
    disabled->received.clear();
    disabled->setFocus(true);
    EXPECT_TRUE(disabled->received.empty());
    EXPECT_EQ(container->getFocusedChild(), b);
    disabled->setFocusableWhenDisabled(true);
    disabled->setFocus(true);
    EXPECT_EQ(container->getFocusedChild(), disabled);
  });
}

TEST(WidgetStateTest, SkinCandidatesAreScoredByTheStateBitsTheyMatch) {
  GuiHost host;
  host.run([] {
    Widget w = new RecordingWidget();
    GUIAnimationPtr plain = w->animate(GUIWidget::Background, 0x111111, -1, 0, 0);
    GUIAnimationPtr focused = w->animate(GUIWidget::Background, 0x222222, -1, GUIWidget::Focused, GUIWidget::Focused);
    GUIAnimationPtr pressed = w->animate(GUIWidget::Background,
                                         0x333333,
                                         -1,
                                         GUIWidget::Focused | GUIWidget::Pressed,
                                         GUIWidget::Focused | GUIWidget::Pressed);
    w->selectSkins(false);
    // Unfocused: the default (score 0) and the pressed one (bit 4 clear matches
    // nothing, bit 32 clear matches nothing) tie, and the first stays.
    EXPECT_EQ(w->getSkin(GUIWidget::Background), plain.get());
    w->setFocus(true);
    EXPECT_EQ(w->getSkin(GUIWidget::Background), focused.get());
    w->setState(GUIWidget::Pressed, true);
    EXPECT_EQ(w->getSkin(GUIWidget::Background), pressed.get());
    // The same required state and mask replace a candidate; a null cell removes it.
    w->addStateAnimation(GUIWidget::Background,
                         nullptr,
                         GUIWidget::Focused | GUIWidget::Pressed,
                         GUIWidget::Focused | GUIWidget::Pressed);
    w->selectSkins(false);
    EXPECT_EQ(w->getSkin(GUIWidget::Background), focused.get());
    EXPECT_EQ(w->getSkin(GUIWidget::Interior), nullptr);
  });
}

TEST(WidgetStateTest, TransitionSkinHoldsTheCommitUntilItsCellHasFinished) {
  GuiHost host;
  host.run([] {
    Widget w = new RecordingWidget();
    // A coloured rectangle is always finished: the commit comes at the next paint.
    w->animate(GUIWidget::Background, 0x444444, -1, GUIWidget::Focused, GUIWidget::TransitionSkin | GUIWidget::Focused);
    w->setState(GUIWidget::Focused, true);
    EXPECT_EQ(w->getPendingState() & GUIWidget::Focused, GUIWidget::Focused);
    EXPECT_FALSE(w->hasState(GUIWidget::Focused));
    EXPECT_TRUE(stateEvents(*w).empty());
    w->commitTransition();
    EXPECT_TRUE(w->hasState(GUIWidget::Focused));
    EXPECT_EQ(stateEvents(*w), std::vector<int32_t>{22});
    // No transition candidate names the visible bit: hiding commits at once.
    w->setState(GUIWidget::Visible, false);
    EXPECT_FALSE(w->hasState(GUIWidget::Visible));
  });
}

// Two overlapping buttons on a screen, the first listed below the second,
// and a third that ignores presses but takes drags.
TEST(WidgetStateTest, PointerGoesToTheEarlierOfOverlappingSiblingsAndIgnoresPressHolds) {
  Widget first, second, dragOnly;
  GuiHost host;
  host.run(
      [&] {
        GUIWidgetPtr screen = new GUIWidget(1);
        screen->fillScreen();
        first = new RecordingWidget(2);
        second = new RecordingWidget(3);
        dragOnly = new RecordingWidget(4);
        first->setBounds(10, 10, 50, 50);
        second->setBounds(30, 30, 50, 50);
        dragOnly->setBounds(100, 100, 50, 50);
        dragOnly->setIgnoresPress(true);
        dragOnly->setAcceptsDrag(true);
        for (const Widget& w : {first, second, dragOnly}) screen->addChild(w);
        GUIEngine::getInstance()->showScreen(screen);
      },
      {[] { GuiHost::input().pointerPressed(40, 40); },
       [] { GuiHost::input().pointerReleased(40, 40); },
       [] { GuiHost::input().pointerPressed(110, 110); },
       [] { GuiHost::input().pointerDragged(120, 110); },
       [] { GuiHost::input().pointerReleased(120, 110); },
       [] {}});
  auto count = [](const Widget& w, int32_t event) { return w->dataOf(event).size(); };
  EXPECT_EQ(count(first, GUIWidget::ClickEvent), 1u);
  EXPECT_EQ(count(second, GUIWidget::ClickEvent), 0u);
  EXPECT_EQ(count(dragOnly, GUIWidget::PointerDownEvent), 0u);
  EXPECT_EQ(count(dragOnly, GUIWidget::DragEvent), 2u);
}

// Key events stop at an unfocused widget, bound or not, broadcast or not;
// other events reach every layer of the subtree in order.
TEST(WidgetStateTest, KeyEventsNeedTheFocusAndBroadcastsVisitAllLayers) {
  GuiHost host;
  host.run([] {
    Widget root = new RecordingWidget(1);
    Widget content = new RecordingWidget(2);
    Widget decoration = new RecordingWidget(3);
    Widget overlay = new RecordingWidget(4);
    overlay->setLayer(2);
    decoration->setLayer(1);
    for (const Widget& w : {overlay, decoration, content}) root->addChild(w);
    root->setAction(GUIWidget::DownEvent, 0, 0, nullptr, nullptr);
    EXPECT_FALSE(root->handleEvent(GUIWidget::DownEvent, true, nullptr, 0));
    for (const Widget& w : {content, decoration, overlay}) EXPECT_TRUE(w->events().empty()) << w->getId();
    root->setFocus(true);
    EXPECT_TRUE(root->handleEvent(GUIWidget::DownEvent, false, nullptr, 0));

    EXPECT_FALSE(root->handleEvent(GUIWidget::ScrollChangedEvent, true, nullptr, 0));
    for (const Widget& w : {content, decoration, overlay}) EXPECT_EQ(w->events(), std::vector<int32_t>{12});
    overlay->setAction(GUIWidget::ScrollChangedEvent, 0, 0, nullptr, nullptr);
    EXPECT_TRUE(root->handleEvent(GUIWidget::ScrollChangedEvent, true, nullptr, 0));

    // Several bits changing in one commit report from the lowest bit up.
    content->received.clear();
    content->setState(GUIWidget::Visible | GUIWidget::Enabled, false);
    EXPECT_EQ(stateEvents(*content), (std::vector<int32_t>{52, 53}));
  });
}

}  // namespace
