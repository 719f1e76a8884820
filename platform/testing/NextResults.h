#pragma once
// Results that tests set for the next call of an emulated library entry: the
// call then answers that result and does nothing else. One result per entry,
// used once.

#include <array>
#include <cstddef>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/sms/ResultHook.h"

namespace wce {

template <typename Call, std::size_t CallCount>
class NextResults final : public ResultHook<Call> {
public:
  void set(Call call, HRESULT result) {
    std::lock_guard lock(guard_);
    results_[index(call)] = result;
  }

  // The result set for this call, consumed; none when nothing is set.
  std::optional<HRESULT> resultFor(Call call) override {
    std::lock_guard lock(guard_);
    return std::exchange(results_[index(call)], std::nullopt);
  }

  void clear() {
    std::lock_guard lock(guard_);
    results_.fill(std::nullopt);
  }

private:
  static std::size_t index(Call call) { return static_cast<std::size_t>(call); }

  std::mutex guard_;
  std::array<std::optional<HRESULT>, CallCount> results_{};
};

}  // namespace wce
