#pragma once
// The switches of the core library and every call that set them, in order.

#include <mutex>
#include <vector>

namespace wce {

struct CoreServicesState {
    std::mutex guard;
    bool allKeys = false;
    bool kernelMode = false;
    std::vector<bool> allKeysCalls;
    std::vector<bool> kModeCalls;
};

CoreServicesState& coreServicesState();

}  // namespace wce
