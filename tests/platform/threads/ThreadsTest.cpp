#include <atomic>
#include <gtest/gtest.h>

#include "platform/threads/CriticalSection.h"
#include "platform/threads/Event.h"
#include "platform/threads/Semaphore.h"
#include "platform/threads/Thread.h"
#include "platform/threads/Wait.h"

namespace wce {
namespace {

TEST(Thread, SuspendedThreadStartsOnlyWhenResumed) {
  Event started;
  std::atomic<bool> ran{false};
  Thread thread(
      [&] {
        ran = true;
        started.SetEvent();
        return 7u;
      },
      true);
  EXPECT_EQ(started.WaitForSingleObject(20), WAIT_TIMEOUT);
  EXPECT_FALSE(ran);
  EXPECT_EQ(thread.ResumeThread(), 1u);
  EXPECT_EQ(started.WaitForSingleObject(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(thread.WaitForSingleObject(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(thread.exitCode(), 7u);
  EXPECT_EQ(thread.ResumeThread(), 0u);
}

TEST(Thread, NeverResumedBodyDoesNotRunAndTheThreadIsJoined) {
  std::atomic<bool> ran{false};
  {
    Thread thread(
        [&] {
          ran = true;
          return 0u;
        },
        true);
    EXPECT_TRUE(thread.SetThreadPriority(1));
    EXPECT_FALSE(thread.SetThreadPriority(9));
  }
  EXPECT_FALSE(ran);
}

TEST(Thread, SuspendHoldsTheBodyAtItsPausePoint) {
  std::atomic<bool> arrivedSuspended{false};
  std::atomic<int> passes{0};
  std::atomic<bool> stop{false};
  Semaphore passed(0, 1 << 30);
  Thread* self = nullptr;
  Thread thread(
      [&] {
        while (!stop) {
          if (self->SuspendRequested()) arrivedSuspended = true;
          self->SuspendPoint();
          ++passes;
          passed.ReleaseSemaphore(1);
          Thread::Sleep(1);
        }
        return 0u;
      },
      true);
  self = &thread;
  thread.ResumeThread();
  ASSERT_EQ(passed.WaitForSingleObject(INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(thread.SuspendThread(), 0u);
  EXPECT_TRUE(thread.SuspendRequested());
  // The body reaches its pause point with the suspend already requested at
  // most one pass later; from then on no pass may follow, however slow the
  // machine.
  for (int wait = 0; wait < 10'000 && !arrivedSuspended; ++wait) {
    Thread::Sleep(1);
  }
  EXPECT_TRUE(arrivedSuspended);
  const int held = passes;
  while (passed.WaitForSingleObject(0) == WAIT_OBJECT_0) {}
  EXPECT_EQ(passed.WaitForSingleObject(30), WAIT_TIMEOUT);
  EXPECT_EQ(passes, held);
  stop = true;
  thread.ResumeThread();
  EXPECT_EQ(thread.WaitForSingleObject(INFINITE), WAIT_OBJECT_0);
}

TEST(Semaphore, CountsUpToItsMaximumAndTimesOut) {
  Semaphore semaphore(0, 2);
  EXPECT_EQ(semaphore.WaitForSingleObject(1), WAIT_TIMEOUT);
  EXPECT_TRUE(semaphore.ReleaseSemaphore(2));
  EXPECT_FALSE(semaphore.ReleaseSemaphore(1));
  EXPECT_FALSE(semaphore.ReleaseSemaphore(0));
  EXPECT_EQ(semaphore.WaitForSingleObject(0), WAIT_OBJECT_0);
  int32_t previous = -1;
  EXPECT_TRUE(semaphore.ReleaseSemaphore(1, &previous));
  EXPECT_EQ(previous, 1);
  EXPECT_EQ(semaphore.WaitForSingleObject(0), WAIT_OBJECT_0);
  EXPECT_EQ(semaphore.WaitForSingleObject(0), WAIT_OBJECT_0);
  EXPECT_EQ(semaphore.WaitForSingleObject(0), WAIT_TIMEOUT);
}

TEST(Event, AutoResetsOnASuccessfulWait) {
  Event event;
  EXPECT_EQ(event.WaitForSingleObject(0), WAIT_TIMEOUT);
  event.SetEvent();
  event.SetEvent();
  EXPECT_EQ(event.WaitForSingleObject(0), WAIT_OBJECT_0);
  EXPECT_EQ(event.WaitForSingleObject(0), WAIT_TIMEOUT);
  event.SetEvent();
  event.ResetEvent();
  EXPECT_EQ(event.WaitForSingleObject(0), WAIT_TIMEOUT);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
  CriticalSection section;
  int counter = 0;
  auto work = [&] {
    for (int i = 0; i < 1000; ++i) {
      section.EnterCriticalSection();
      section.EnterCriticalSection();
      ++counter;
      section.LeaveCriticalSection();
      section.LeaveCriticalSection();
    }
    return 0u;
  };
  {
    Thread a(work, false);
    Thread b(work, false);
  }
  EXPECT_EQ(counter, 2000);
}

}  // namespace
}  // namespace wce
