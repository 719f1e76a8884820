#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "gamelib/SoundManager.h"
#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/media/DPlayer.h"
#include "microedition/midlet/DMIDlet.h"
#include "platform/shell/Shell.h"
#include "tests/platform/shell/probe/ShellProbe.h"

using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

using Widget = qel::lang::DPtr<RecordingWidget>;

GUIActionPtr action(int32_t type, int32_t param = 0, qel::lang::DObjectPtr target = nullptr) {
  return new GUIAction(type, param, std::move(target), nullptr);
}

// An action as the queue holds it: fired by source with the event's data.
GUIActionPtr fired(int32_t type, int32_t param, const GUIWidgetPtr& source, int32_t event,
                   std::vector<int32_t> data = {}, qel::lang::DObjectPtr target = nullptr) {
  GUIActionPtr bound = action(type, param, std::move(target));
  bound->run(source.get(), event, data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size() * 4), nullptr);
  return GUIEngine::getInstance()->takeNextAction();
}

void execute(const GUIActionPtr& a) { GUIEngine::getInstance()->executeAction(a); }

void drain() {
  GUIEnginePtr engine = GUIEngine::getInstance();
  while (GUIActionPtr a = engine->takeNextAction()) engine->executeAction(a);
}

uint32_t errorCodeOf(const GUIActionPtr& a) {
  try {
    execute(a);
  } catch (const qel::lang::DExceptionBase& e) {
    return e.code();
  }
  return 0;
}

// A 100 x 100 widget over a 400 x 400 child.
GUIWidgetPtr scrollingView() {
  GUIWidgetPtr view = new GUIWidget(1);
  view->setBounds(0, 0, 100, 100);
  view->addChild(new GUIWidget(2))->setBounds(0, 0, 400, 400);
  view->computeContentBounds();
  return view;
}

int consumedCount = 0;
bool consume(GUIAction&) {
  ++consumedCount;
  return true;
}
bool pass(GUIAction&) { return false; }

TEST(ActionTest, FiringPostsOneStampedCopyPerLinkInChainOrder) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr engine = GUIEngine::getInstance();
    Widget button = new RecordingWidget(1);
    GUIWidgetPtr other = new GUIWidget(2);
    button->setDefaultCallback(&pass);
    button->addNewAction(GUIWidget::ClickEvent, GUIAction::FocusNext, 7, nullptr, nullptr);
    button->addSourcedAction(other, GUIWidget::ClickEvent, GUIAction::SetState, 8, nullptr, &consume);
    button->addNewAction(GUIWidget::ClickEvent, GUIAction::ScrollUp, 9, nullptr, nullptr);
    int32_t point[2] = {3, 4};
    EXPECT_TRUE(button->handleEvent(GUIWidget::ClickEvent, false, point, sizeof point));
    point[0] = 99;  // the copies hold their own bytes
    ASSERT_EQ(engine->pendingActionCount(), 3);

    consumedCount = 0;
    std::vector<int32_t> types;
    while (GUIActionPtr a = engine->takeNextAction()) {
      types.push_back(a->getType());
      EXPECT_EQ(a->getSource().get(), button.get());
      EXPECT_EQ(a->getEventType(), GUIWidget::ClickEvent);
      EXPECT_EQ(a->eventInt(0, -1), 3);
      EXPECT_EQ(a->eventInt(1, -1), 4);
      EXPECT_EQ(a->getCallback(), &pass);  // the firing widget's default
    }
    // The link with a preset source kept it and its own callback, which consumed it.
    EXPECT_EQ(types, (std::vector<int32_t>{GUIAction::FocusNext, GUIAction::ScrollUp}));
    EXPECT_EQ(consumedCount, 1);
    // The bound chain is unchanged and fires again.
    button->handleEvent(GUIWidget::ClickEvent, false, nullptr, 0);
    EXPECT_EQ(engine->pendingActionCount(), 3);
    drain();
    button->putAction(GUIWidget::ClickEvent, nullptr);
    EXPECT_FALSE(button->handleEvent(GUIWidget::ClickEvent, false, nullptr, 0));
    EXPECT_EQ(engine->pendingActionCount(), 0);
  });
}

TEST(ActionTest, ChainsRefuseActionsTheyAlreadyHoldAndCopiesOwnTheirData) {
  GuiHost host;
  host.run([] {
    GUIActionPtr a = action(1), b = action(2), c = action(3);
    EXPECT_TRUE(a->append(b));
    EXPECT_FALSE(a->append(b));
    EXPECT_FALSE(a->append(a));
    EXPECT_FALSE(b->append(a));  // a -> b -> a would never end
    EXPECT_TRUE(c->append(a));   // c -> a -> b
    EXPECT_FALSE(b->append(c));
    EXPECT_EQ(b->getNext(), nullptr);

    GUIWidgetPtr source = new GUIWidget(1);
    GUIActionPtr queued = fired(GUIAction::ResendToSource, 0, source, GUIWidget::DragEvent, {1, 2, 3, 4});
    GUIActionPtr copy = new GUIAction(*queued);
    ASSERT_EQ(copy->getEventData(), queued->getEventData());
    EXPECT_NE(copy->getEventData().data(), queued->getEventData().data());
    EXPECT_EQ(copy->getNext(), nullptr);
  });
}

TEST(ActionTest, ResendsTheTriggeringEventOrAnotherToTheSourceOrTheTopScreen) {
  GuiHost host;
  host.run([] {
    Widget screen = new RecordingWidget(1);
    Widget child = new RecordingWidget(2);
    screen->addChild(child);
    GUIEngine::getInstance()->showScreen(screen);
    drain();
    screen->received.clear();
    child->received.clear();

    execute(fired(GUIAction::ResendToSource, 0, child, GUIWidget::ClickEvent, {5, 6}));
    execute(fired(GUIAction::ResendToSource, GUIWidget::PointerDownEvent, child, GUIWidget::ClickEvent, {5, 6}));
    using R = RecordingWidget::Received;
    EXPECT_EQ(child->received, (std::vector<R>{{GUIWidget::ClickEvent, {5, 6}}, {GUIWidget::PointerDownEvent, {}}}));
    EXPECT_TRUE(screen->received.empty());

    child->received.clear();
    execute(fired(GUIAction::ResendToTopScreen, GUIWidget::ValueEvent, child, GUIWidget::ClickEvent));
    EXPECT_EQ(screen->dataOf(GUIWidget::ValueEvent), (std::vector<std::vector<int32_t>>{{}}));
    EXPECT_EQ(child->dataOf(GUIWidget::ValueEvent), (std::vector<std::vector<int32_t>>{{}}));
  });
}

TEST(ActionTest, ScreenActionsShowCloseAddAndRefresh) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr engine = GUIEngine::getInstance();
    EXPECT_EQ(errorCodeOf(action(GUIAction::FocusById, 5)), 0x05000080u);  // no top screen
    EXPECT_EQ(errorCodeOf(action(GUIAction::Refresh)), 0x05000080u);

    GUIWidgetPtr first = new GUIWidget(1);
    GUIWidgetPtr second = new GUIWidget(2);
    execute(action(GUIAction::ShowScreen, 0, first));
    drain();
    // Event 7 reaches the whole added subtree, each widget queueing its refresh.
    Widget added = new RecordingWidget(3);
    added->addChild(new GUIWidget(4));
    execute(action(GUIAction::AddToTopScreen, 0, added));
    EXPECT_EQ(added->getParent(), first);
    EXPECT_EQ(engine->pendingActionCount(), 2);
    GUIActionPtr refresh = engine->takeNextAction();
    EXPECT_EQ(refresh->getType(), GUIAction::Refresh);
    EXPECT_EQ(refresh->getTarget().get(), added.get());
    drain();

    added->setTabIndex(0);
    execute(action(GUIAction::FocusById, 3));
    EXPECT_TRUE(added->hasState(GUIWidget::Focused));
    execute(action(GUIAction::Close, 0, added));
    EXPECT_EQ(added->getParent(), nullptr);

    execute(action(GUIAction::ShowScreen, 0, second));
    EXPECT_EQ(engine->getTopScreen(), second);
    execute(action(GUIAction::CloseTopScreen));
    EXPECT_EQ(engine->getTopScreen(), first);
    execute(action(GUIAction::Close, 0, first));
    EXPECT_EQ(engine->screenCount(), 0);
    for (int32_t type : std::vector<int32_t>{GUIAction::ShowScreen, GUIAction::Close, GUIAction::AddToTopScreen})
      execute(action(type));  // nothing to act on
    EXPECT_EQ(engine->screenCount(), 0);
  });
}

// Types 26, 28, 30 and 37, like the values outside the table, act on
// nothing, even given all that the types beside them use: a shown screen, a
// scrolled source, a thumb in its track, a sound manager, and the events
// those types answer.
TEST(ActionTest, TypesWithoutAnEffectLeaveEverythingAsItWas) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr engine = GUIEngine::getInstance();
    gamelib::SoundManagerPtr sounds = new gamelib::SoundManager();
    sounds->setSfxVolume(10);
    sounds->setMusicVolume(20);
    engine->setSoundManager(sounds);
    Widget screen = new RecordingWidget(1);
    engine->showScreen(screen);
    Widget source = new RecordingWidget(2);
    source->setBounds(0, 0, 100, 100);
    source->addChild(new GUIWidget(3))->setBounds(0, 0, 400, 400);
    source->computeContentBounds();
    screen->addChild(source);
    source->setTargetScroll(100, 100);
    source->scrollStep();
    GUIWidgetPtr track = new GUIWidget(4);
    track->setBounds(0, 0, 10, 110);
    GUIWidgetPtr thumb = track->addChild(new GUIWidget(5));
    thumb->setBounds(0, 50, 10, 10);
    drain();
    const int32_t state = source->getState();
    const std::pair<int32_t, std::vector<int32_t>> events[] = {
        {GUIWidget::ClickEvent, {3, 4}},
        {GUIWidget::PointerDownEvent, {0, 20}},
        {GUIWidget::DragEvent, {10, 10, 4, 13}},
        {GUIWidget::ValueEvent, {30}},
    };
    for (int32_t type : {0, 26, 28, 30, 37, 99})
      for (const auto& [event, data] : events) {
        SCOPED_TRACE("type " + std::to_string(type) + " event " + std::to_string(event));
        screen->received.clear();
        source->received.clear();
        execute(fired(type, GUIWidget::Focused, source, event, data, thumb));
        EXPECT_TRUE(screen->received.empty());
        EXPECT_TRUE(source->received.empty());
        EXPECT_EQ(source->getState(), state);
        EXPECT_EQ(source->getScrollY(), 100);
        EXPECT_EQ(source->getTargetScrollX(), 100);
        EXPECT_EQ(source->getTargetScrollY(), 100);
        EXPECT_EQ(thumb->getBounds().y, 50);
        EXPECT_EQ(thumb->getParent(), track);
        EXPECT_EQ(engine->getTopScreen(), screen);
        EXPECT_EQ(engine->screenCount(), 1);
        EXPECT_EQ(engine->pendingActionCount(), 0);
        EXPECT_EQ(sounds->sfxVolume(), 10);
        EXPECT_EQ(sounds->musicVolume(), 20);
      }
    engine->setSoundManager(nullptr);
  });
}

TEST(ActionTest, FocusMovesAndStateBitsActOnTheSource) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr row = new GUIWidget(1);
    row->setBounds(0, 0, 90, 30);
    std::vector<GUIWidgetPtr> cells;
    for (int i = 0; i < 3; ++i) {
      cells.push_back(row->addChild(new GUIWidget(10 + i)));
      cells.back()->setBounds(30 * i, 0, 30, 30);
      cells.back()->setTabIndex(i);
    }
    struct Case {
      int32_t type;
      int32_t focusedAfter;
    } cases[] = {{GUIAction::FocusNext, 10},
                 {GUIAction::FocusNext, 11},
                 {GUIAction::FocusPrevious, 10},
                 {GUIAction::FocusPrevious, 12},
                 {GUIAction::FocusLeft, 11},
                 {GUIAction::FocusRight, 12},
                 {GUIAction::FocusRight, 10},
                 {GUIAction::FocusDown, 10}};
    for (const Case& c : cases) {
      GUIActionPtr a = action(c.type);
      a->setSource(row);
      execute(a);
      ASSERT_TRUE(row->getFocusedChild()) << c.type;
      EXPECT_EQ(row->getFocusedChild()->getId(), c.focusedAfter) << c.type;
    }
    GUIActionPtr on = action(GUIAction::SetState, 256 | 512);
    on->setSource(cells[1]);
    execute(on);
    EXPECT_TRUE(cells[1]->hasState(256 | 512));
    GUIActionPtr off = action(GUIAction::ClearState, GUIWidget::Enabled | 256);
    off->setSource(cells[1]);
    execute(off);
    EXPECT_EQ(cells[1]->getState() & (GUIWidget::Enabled | 256 | 512), 512);
  });
}

TEST(ActionTest, ScrollActionsMoveTheSourcesTarget) {
  GuiHost host;
  host.run([] {
    struct Case {
      int32_t type;
      int32_t param;
      std::vector<int32_t> drag;
      int32_t x, y;  // the target scroll after, from (100, 100)
    } cases[] = {
        {GUIAction::ScrollUp, 30, {}, 100, 70},
        {GUIAction::ScrollDown, 0, {}, 100, 140},  // an eighth of the 320-pixel screen
        {GUIAction::ScrollLeft, 0, {}, 70, 100},   // an eighth of 240
        {GUIAction::ScrollRight, 5, {}, 105, 100},
        {GUIAction::ScrollToTop, 0, {}, 100, 0},
        {GUIAction::ScrollToBottom, 0, {}, 100, 300},
        {GUIAction::ScrollToLeft, 0, {}, 0, 100},
        {GUIAction::ScrollToRight, 0, {}, 300, 100},
        {GUIAction::DragScroll, 0, {10, 10, 4, 13}, 112, 94},
        {GUIAction::DragScroll, 0, {}, 100, 100},  // no drag data
    };
    for (const Case& c : cases) {
      GUIWidgetPtr view = scrollingView();
      view->setTargetScroll(100, 100);
      view->scrollStep();  // there at once: the distance is the client size
      const int32_t event = c.drag.empty() ? GUIWidget::ClickEvent : GUIWidget::DragEvent;
      execute(fired(c.type, c.param, view, event, c.drag));
      EXPECT_EQ(view->getTargetScrollX(), c.x) << c.type;
      EXPECT_EQ(view->getTargetScrollY(), c.y) << c.type;
    }
  });
}

TEST(ActionTest, ScrollBarActionsFollowAndDriveTheScrolledWidget) {
  GuiHost host;
  host.run([] {
    // A 100-pixel view over 400 pixels of content: 300 to scroll. A track
    // of 110 with a thumb of 10: 100 of travel.
    GUIWidgetPtr view = scrollingView();
    GUIWidgetPtr track = new GUIWidget(3);
    track->setBounds(0, 0, 10, 110);
    GUIWidgetPtr thumb = track->addChild(new GUIWidget(4));
    thumb->setBounds(0, 0, 10, 10);

    view->jumpScrollY(150);
    execute(fired(GUIAction::SyncScrollThumb, 0, view, GUIWidget::ScrollChangedEvent, {}, thumb));
    EXPECT_EQ(thumb->getBounds().y, 50);

    Widget scrolled = new RecordingWidget(5);
    for (auto [py, event] : {std::pair{20, int32_t{GUIWidget::PageBackEvent}},
                             {50, GUIWidget::PageBackEvent},
                             {55, -1},
                             {60, GUIWidget::PageForwardEvent},
                             {100, GUIWidget::PageForwardEvent}}) {
      scrolled->received.clear();
      execute(fired(GUIAction::TrackPress, 0, scrolled, GUIWidget::PointerDownEvent, {0, py}, thumb));
      EXPECT_EQ(scrolled->events(), event < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{event}) << py;
    }
    scrolled->setBounds(0, 0, 10, 40);  // without a thumb: by the halves of the source
    scrolled->received.clear();
    execute(fired(GUIAction::TrackPress, 0, scrolled, GUIWidget::ClickEvent, {0, 19}));
    execute(fired(GUIAction::TrackPress, 0, scrolled, GUIWidget::ClickEvent, {0, 20}));
    execute(fired(GUIAction::TrackPress, 0, scrolled, GUIWidget::DragEvent, {0, 20, 0, 20}));  // not a press
    EXPECT_EQ(scrolled->events(), (std::vector<int32_t>{GUIWidget::PageBackEvent, GUIWidget::PageForwardEvent}));

    // Thumb drag: its centre follows the pointer (thumb-local drag data).
    struct Drag {
      int32_t pointerY, thumbY, scroll;
    } drags[] = {{-200, 0, 0}, {5, 50, 150}, {500, 100, 300}};
    for (const Drag& d : drags) {
      thumb->setPosition(0, 50);
      execute(fired(GUIAction::ThumbDrag, 0, view, GUIWidget::DragEvent, {5, 5, 5, d.pointerY}, thumb));
      EXPECT_EQ(thumb->getBounds().y, d.thumbY) << d.pointerY;
      EXPECT_EQ(view->getScrollY(), d.scroll) << d.pointerY;
      EXPECT_EQ(view->getTargetScrollY(), d.scroll) << d.pointerY;
    }
  });
}

TEST(ActionTest, ScrollBarActionsWithNothingToScrollOrNoTravelLeaveTheThumbAtTheTop) {
  GuiHost host;
  host.run([] {
    GUIWidgetPtr view = new GUIWidget(1);  // content no taller than the view
    view->setBounds(0, 0, 100, 100);
    view->computeContentBounds();
    GUIWidgetPtr track = new GUIWidget(3);
    track->setBounds(0, 0, 10, 110);
    GUIWidgetPtr thumb = track->addChild(new GUIWidget(4));
    thumb->setBounds(0, 30, 10, 10);
    execute(fired(GUIAction::SyncScrollThumb, 0, view, GUIWidget::ScrollChangedEvent, {}, thumb));
    EXPECT_EQ(thumb->getBounds().y, 0);
    execute(fired(GUIAction::ThumbDrag, 0, view, GUIWidget::DragEvent, {5, 5, 5, 60}, thumb));
    EXPECT_EQ(view->getScrollY(), 0);
    EXPECT_EQ(thumb->getBounds().y, 0);

    GUIWidgetPtr tall = scrollingView();
    thumb->setBounds(0, 0, 10, 110);  // as tall as the track
    execute(fired(GUIAction::ThumbDrag, 0, tall, GUIWidget::DragEvent, {5, 5, 5, 60}, thumb));
    EXPECT_EQ(thumb->getBounds().y, 0);
    EXPECT_EQ(tall->getScrollY(), 0);
    tall->jumpScrollY(120);
    execute(fired(GUIAction::SyncScrollThumb, 0, tall, GUIWidget::ScrollChangedEvent, {}, thumb));
    EXPECT_EQ(thumb->getBounds().y, 0);
  });
}

TEST(ActionTest, VolumeActionsTakeTheValueEventAndNeedASoundManager) {
  GuiHost host;
  host.run([] {
    GUIEnginePtr engine = GUIEngine::getInstance();
    GUIWidgetPtr slider = new GUIWidget(1);
    EXPECT_EQ(errorCodeOf(fired(GUIAction::SetSfxVolume, 0, slider, GUIWidget::ValueEvent, {20})), 0x05000080u);
    EXPECT_EQ(errorCodeOf(fired(GUIAction::SetMusicVolume, 0, slider, GUIWidget::ValueEvent, {20})), 0x05000080u);
    gamelib::SoundManagerPtr sounds = new gamelib::SoundManager();
    engine->setSoundManager(sounds);
    execute(fired(GUIAction::SetSfxVolume, 0, slider, GUIWidget::ValueEvent, {20}));
    execute(fired(GUIAction::SetMusicVolume, 0, slider, GUIWidget::ValueEvent, {30}));
    execute(fired(GUIAction::SetMusicVolume, 0, slider, GUIWidget::ClickEvent, {50}));  // not a value
    execute(fired(GUIAction::SetSfxVolume, 0, slider, GUIWidget::ValueEvent));          // no value
    EXPECT_EQ(sounds->sfxVolume(), 20);
    EXPECT_EQ(sounds->musicVolume(), 30);
    engine->setSoundManager(nullptr);
  });
}

TEST(ActionTest, TextAddressAndQuitActions) {
  GuiHost host;
  host.run([] {
    Widget box = new RecordingWidget(1);
    GUIActionPtr type = action(GUIAction::TypeCharacter, 'k');
    type->setSource(box);
    execute(type);
    EXPECT_EQ(box->dataOf(GUIWidget::CharacterEvent), (std::vector<std::vector<int32_t>>{{'k'}}));

    wce::clearRecordedShellRequests();
    for (const char16_t* url : {u"example.org/vault", u"https://a.example/x", u"mailto:me@example.org"})
      execute(action(GUIAction::OpenAddress, 0, new qel::lang::DString(url)));
    execute(action(GUIAction::OpenAddress, 0, box));  // not an address
    execute(action(GUIAction::OpenAddress));
    std::vector<std::u16string> opened;
    for (const wce::ShellRequest& r : wce::recordedShellRequests()) opened.push_back(r.file);
    EXPECT_EQ(opened,
              (std::vector<std::u16string>{
                  u"http://example.org/vault", u"https://a.example/x", u"http://mailto:me@example.org"}));

    GUIEngine::getInstance()->showScreen(new GUIWidget(2));
    GUIEngine::getInstance()->showScreen(new GUIWidget(3));
    execute(action(GUIAction::Quit));
    EXPECT_EQ(GUIEngine::getInstance()->screenCount(), 0);
    EXPECT_EQ(qel::midlet::DMIDlet::current()->getState(), qel::midlet::DMIDlet::StateDestroyed);
  });
}

}  // namespace
