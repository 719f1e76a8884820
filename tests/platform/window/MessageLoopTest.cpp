#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "WindowFixture.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/threads/Wait.h"

namespace wce::testing {
namespace {

using MessageLoopTest = WindowTest;

TEST_F(MessageLoopTest, PostedMessagesComeFirstInFirstOutThenQuitThenPaint) {
  HWND window = create();
  PostQuitMessage(3);
  PostMessageW(window, WM_USER + 1, 10, 20);
  PostMessageW(window, WM_USER + 2, 0, 0);
  MSG message;
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER + 1);
  EXPECT_EQ(message.wParam, 10u);
  EXPECT_EQ(message.lParam, 20);
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER + 2);
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 3u);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_PAINT);
}

TEST_F(MessageLoopTest, PaintRepeatsUntilTheWindowIsValidated) {
  HWND window = create();
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ(message.message, WM_PAINT);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ(message.message, WM_PAINT);
  DispatchMessageW(&message);  // DefWindowProcW validates
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  RECT part{1, 2, 3, 4};
  InvalidateRect(window, &part, false);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(window, &update, false));
  EXPECT_EQ(update, part);
  UpdateWindow(window);
  EXPECT_FALSE(GetUpdateRect(window, &update, false));
}

TEST_F(MessageLoopTest, PeekWithoutRemoveLeavesTheMessage) {
  HWND window = create(u"w", 0);
  PostMessageW(window, WM_USER, 1, 0);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageLoopTest, FiltersByWindowAndRange) {
  HWND first = create(u"a", 0);
  HWND second = create(u"b", 0);
  PostMessageW(first, WM_KEYDOWN, 1, 0);
  PostMessageW(second, WM_KEYUP, 2, 0);
  PostMessageW(second, WM_LBUTTONDOWN, 3, 0);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, second, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.wParam, 2u);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_MOUSEMOVE, WM_LBUTTONUP, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_FALSE(PeekMessageW(&message, second, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.wParam, 1u);
}

TEST_F(MessageLoopTest, SendCallsTheProcedureAtOnceAndDeadWindowsGetNothing) {
  HWND window = create(u"w", 0);
  received().clear();
  SendMessageW(window, WM_USER, 5, 6);
  EXPECT_EQ(received(), (std::vector<Received>{{window, WM_USER, 5, 6}}));
  PostMessageW(window, WM_USER, 7, 0);
  DestroyWindow(window);
  EXPECT_FALSE(PostMessageW(window, WM_USER, 8, 0));
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 0);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetMessageW(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageW(nullptr, nullptr, 0, 0), -1);
}

TEST_F(MessageLoopTest, CloseThroughTheDefaultProcedureDestroysTheWindow) {
  HWND window = create(u"w", 0);
  received().clear();
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(received().size(), 2u);
  EXPECT_EQ(received()[1].message, WM_DESTROY);
}

TEST_F(MessageLoopTest, GetMessageWaitsForAPostFromAnotherThread) {
  HWND window = create(u"w", 0);
  std::thread poster([window] { PostMessageW(window, WM_USER + 9, 0, 0); });
  MSG message;
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER + 9);
  poster.join();
}

// The in-memory driver, recording how the layer uses it.
class RecordingDriver final : public MemoryDriver {
public:
  std::function<void()> onPoll;
  int polls = 0;
  int wakes = 0;
  std::vector<std::uint32_t> waits;

  void pollEvents() override {
    ++polls;
    if (onPoll) onPoll();
  }
  void waitEvents(std::uint32_t timeoutMs) override { waits.push_back(timeoutMs); }
  void wake() override { ++wakes; }
};

TEST_F(MessageLoopTest, TheDriverIsPolledBeforeEachLookAndWokenByEachPost) {
  HWND window = create(u"w", 0);
  RecordingDriver driver;
  DeviceDriverScope scope(driver);
  driver.onPoll = [&] {
    if (driver.polls == 1) PostMessageW(window, WM_KEYDOWN, 37, 0);
  };
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.wParam, 37u);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(driver.polls, 2);
  EXPECT_EQ(driver.wakes, 1);
  PostQuitMessage(0);
  EXPECT_EQ(driver.wakes, 2);
  EXPECT_TRUE(driver.waits.empty());
}

TEST_F(MessageLoopTest, MessageWaitsSleepInTheDriverUntilTheLimitOrTheNextTimer) {
  HWND window = create(u"w", 0);
  RecordingDriver driver;
  DeviceDriverScope scope(driver);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 30, QS_ALLINPUT), WAIT_TIMEOUT);
  SetTimer(window, 1, 100, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 500, QS_ALLINPUT), WAIT_TIMEOUT);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  EXPECT_EQ(driver.waits, (std::vector<std::uint32_t>{30, 100}));
  clock_.advanceMillis(100);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, 500, QS_ALLINPUT), WAIT_OBJECT_0);
  KillTimer(window, 1);
  PostMessageW(window, WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, false, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  EXPECT_EQ(driver.waits.size(), 2u);
  const int handle = 0;
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &handle, false, 10, QS_ALLINPUT), WAIT_FAILED);
  EXPECT_EQ(driver.polls, 0);
}

TEST_F(MessageLoopTest, TimerMessagesComeOnlyWhenNothingElseWaitsAndAreCoalesced) {
  HWND window = create(u"w", 0);
  EXPECT_EQ(SetTimer(window, 7, 100, nullptr), 7u);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  clock_.advanceMillis(550);  // five periods
  PostMessageW(window, WM_USER, 0, 0);
  EXPECT_EQ(drain(), (std::vector<UINT>{WM_USER, WM_TIMER}));
  clock_.advanceMillis(99);
  EXPECT_TRUE(drain().empty());
  clock_.advanceMillis(1);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_TIMER);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(message.hwnd, window);
}

TEST_F(MessageLoopTest, EachDueTimerGivesOneMessageEarliestFirst) {
  HWND window = create(u"w", 0);
  SetTimer(window, 1, 300, nullptr);
  SetTimer(window, 2, 100, nullptr);
  SetTimer(window, 3, 200, nullptr);
  clock_.advanceMillis(300);
  std::vector<WPARAM> ids;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ids.push_back(message.wParam);
  EXPECT_EQ(ids, (std::vector<WPARAM>{2, 3, 1}));
}

TEST_F(MessageLoopTest, SetTimerAgainRestartsAndKillStops) {
  HWND window = create(u"w", 0);
  SetTimer(window, 4, 100, nullptr);
  clock_.advanceMillis(80);
  SetTimer(window, 4, 100, nullptr);
  clock_.advanceMillis(80);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  clock_.advanceMillis(20);
  EXPECT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_TRUE(KillTimer(window, 4));
  EXPECT_FALSE(KillTimer(window, 4));
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(SetTimer(nullptr, 1, 10, nullptr), 0u);
}

TEST_F(MessageLoopTest, GetMessageWaitsForATimerOnAnAdvancingClock) {
  HWND window = create(u"w", 0);
  SetTimer(window, 9, 1000, nullptr);
  clock_.setAutoAdvance(50);
  MSG message;
  ASSERT_EQ(GetMessageW(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_TIMER);
  clock_.setAutoAdvance(0);
}

int timerProcedureCalls = 0;
void countingTimerProcedure(HWND, UINT message, UINT_PTR id, DWORD) {
  if (message == WM_TIMER && id == 5) ++timerProcedureCalls;
}

TEST_F(MessageLoopTest, DispatchCallsTheTimerProcedureInsteadOfTheWindow) {
  HWND window = create(u"w", 0);
  SetTimer(window, 5, 10, &countingTimerProcedure);
  clock_.advanceMillis(10);
  received().clear();
  drain();
  EXPECT_EQ(timerProcedureCalls, 1);
  EXPECT_TRUE(received().empty());
}

TEST_F(MessageLoopTest, DestroyingAWindowDropsItsTimers) {
  HWND window = create(u"w", 0);
  SetTimer(window, 1, 10, nullptr);
  DestroyWindow(window);
  clock_.advanceMillis(100);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
}  // namespace wce::testing
