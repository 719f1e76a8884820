#pragma once

#include <mutex>

namespace wce {

// A recursive lock: the owning thread may enter again and must leave as often.
class CriticalSection {
public:
  CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void EnterCriticalSection() { mutex_.lock(); }
  void LeaveCriticalSection() { mutex_.unlock(); }

  // BasicLockable, for std::lock_guard and std::unique_lock.
  void lock() { mutex_.lock(); }
  void unlock() { mutex_.unlock(); }

private:
  std::recursive_mutex mutex_;
};

}  // namespace wce
