#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace wce {

// A thread with a suspend count. A thread created suspended waits at its start
// gate until ResumeThread; a running thread honours SuspendThread at the pause
// points it chooses (SuspendPoint), so it is never stopped inside a lock it holds.
// The destructor lets a never-started body go without running it and joins.
class Thread {
public:
  using Body = std::function<uint32_t()>;

  Thread(Body body, bool createSuspended);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Both return the previous suspend count.
  uint32_t ResumeThread();
  uint32_t SuspendThread();
  // Best effort: 0 highest .. 7 lowest, 3 normal; refusals of the system are ignored.
  bool SetThreadPriority(int priority);
  // WAIT_OBJECT_0 once the body has returned, else WAIT_TIMEOUT.
  uint32_t WaitForSingleObject(uint32_t milliseconds);
  uint32_t exitCode() const;

  // Called by the body: blocks while the suspend count is above zero.
  void SuspendPoint();
  // Called by the body: true while a suspension is asked for.
  bool SuspendRequested() const;

  static void Sleep(uint32_t milliseconds);

private:
  void run();
  void applyPriority();

  Body body_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint32_t suspendCount_;
  bool started_ = false;
  bool abandoned_ = false;
  bool finished_ = false;
  uint32_t exitCode_ = 0;
  int priority_ = 3;
  std::thread thread_;
};

}  // namespace wce
