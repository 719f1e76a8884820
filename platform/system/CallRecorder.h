#pragma once
// Where a test sees the calls of one kind an emulated library takes: the
// library hands each call to the recorder installed in its slot. No recorder
// is installed by default.

#include <atomic>
#include <type_traits>

namespace wce {

template <typename Call>
class CallRecorder {
public:
  virtual ~CallRecorder() = default;
  // Any thread.
  virtual void record(const Call& call) = 0;
};

template <typename Call>
using RecorderSlot = std::atomic<CallRecorder<Call>*>;

// Hands the call to the recorder installed in `slot`, if there is one.
template <typename Call>
void recordCall(const RecorderSlot<Call>& slot, const std::type_identity_t<Call>& call) {
  if (CallRecorder<Call>* recorder = slot.load()) recorder->record(call);
}

}  // namespace wce
