#include "platform/threads/Thread.h"

#include <chrono>
#include <sys/resource.h>

#include "platform/threads/Wait.h"

namespace wce {

namespace {

int niceForPriority(int priority) {
  static constexpr int kNice[8] = {-15, -10, -5, 0, 5, 10, 15, 19};
  return kNice[priority];
}

}  // namespace

Thread::Thread(Body body, bool createSuspended) : body_(std::move(body)), suspendCount_(createSuspended ? 1 : 0) {
  thread_ = std::thread([this] { run(); });
}

Thread::~Thread() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    if (!started_ && suspendCount_ > 0) {
      abandoned_ = true;
    }
    suspendCount_ = 0;
  }
  changed_.notify_all();
  thread_.join();
}

void Thread::run() {
  {
    std::unique_lock<std::mutex> guard(mutex_);
    changed_.wait(guard, [this] { return suspendCount_ == 0 || abandoned_; });
    started_ = true;
    if (abandoned_) {
      finished_ = true;
      changed_.notify_all();
      return;
    }
  }
  applyPriority();
  uint32_t code = body_();
  {
    std::lock_guard<std::mutex> guard(mutex_);
    exitCode_ = code;
    finished_ = true;
  }
  changed_.notify_all();
}

uint32_t Thread::ResumeThread() {
  uint32_t previous;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    previous = suspendCount_;
    if (suspendCount_ > 0) {
      --suspendCount_;
    }
  }
  changed_.notify_all();
  return previous;
}

uint32_t Thread::SuspendThread() {
  std::lock_guard<std::mutex> guard(mutex_);
  return suspendCount_++;
}

bool Thread::SetThreadPriority(int priority) {
  if (priority < 0 || priority > 7) {
    return false;
  }
  std::lock_guard<std::mutex> guard(mutex_);
  priority_ = priority;
  return true;
}

void Thread::applyPriority() {
  int priority;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    priority = priority_;
  }
  // On Linux the calling thread's nice value; refused without the right, which is fine.
  (void)setpriority(PRIO_PROCESS, 0, niceForPriority(priority));
}

uint32_t Thread::WaitForSingleObject(uint32_t milliseconds) {
  std::unique_lock<std::mutex> guard(mutex_);
  auto done = [this] { return finished_; };
  if (milliseconds == INFINITE) {
    changed_.wait(guard, done);
    return WAIT_OBJECT_0;
  }
  return changed_.wait_for(guard, std::chrono::milliseconds(milliseconds), done) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

uint32_t Thread::exitCode() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return exitCode_;
}

void Thread::SuspendPoint() {
  std::unique_lock<std::mutex> guard(mutex_);
  changed_.wait(guard, [this] { return suspendCount_ == 0; });
}

bool Thread::SuspendRequested() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return suspendCount_ > 0;
}

void Thread::Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace wce
