#pragma once
// The calls of one kind an emulated library has taken, in order; any thread.

#include <mutex>
#include <utility>
#include <vector>

namespace wce {

template <typename Call>
class CallLog {
public:
  void add(Call call) {
    std::lock_guard lock(guard_);
    calls_.push_back(std::move(call));
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

}  // namespace wce
