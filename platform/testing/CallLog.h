#pragma once
// The calls of one kind an emulated library has taken, in order; any thread.

#include <mutex>
#include <vector>

#include "platform/system/CallRecorder.h"

namespace wce {

template <typename Call>
class CallLog final : public CallRecorder<Call> {
public:
  void record(const Call& call) override {
    std::lock_guard lock(guard_);
    calls_.push_back(call);
  }

  std::vector<Call> calls() const {
    std::lock_guard lock(guard_);
    return calls_;
  }

  void clear() {
    std::lock_guard lock(guard_);
    calls_.clear();
  }

private:
  mutable std::mutex guard_;
  std::vector<Call> calls_;
};

// A log installed in `slot` and never destroyed, so that it records the
// calls made while the process ends too.
template <typename Call>
CallLog<Call>& installCallLog(RecorderSlot<Call>& slot) {
  auto* log = new CallLog<Call>;
  slot.store(log);
  return *log;
}

}  // namespace wce
