#pragma once
// Where a test reaches into the entries of an emulated library: each entry
// first asks the installed hook, and when it gives a result the entry answers
// that and does nothing else. No hook is installed by default.

#include <atomic>
#include <optional>

#include "platform/sms/HResult.h"

namespace wce {

template <typename Call>
class ResultHook {
public:
  virtual ~ResultHook() = default;
  // The result this call answers instead of running; none lets it run.
  virtual std::optional<HRESULT> resultFor(Call call) = 0;
};

template <typename Call>
using ResultHookSlot = std::atomic<ResultHook<Call>*>;

// What the hook installed in `slot` answers for this call; none without a hook.
template <typename Call>
std::optional<HRESULT> hookedResult(const ResultHookSlot<Call>& slot, Call call) {
  ResultHook<Call>* hook = slot.load();
  if (hook == nullptr) return std::nullopt;
  return hook->resultFor(call);
}

}  // namespace wce
