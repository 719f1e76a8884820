#pragma once
// The shell and phone requests made so far.

#include "platform/system/WinTypes.h"

#include <mutex>
#include <string>
#include <vector>

namespace wce {

struct ShellRequest {
    std::u16string file;
    DWORD mask;
    int show;
    bool operator==(const ShellRequest&) const = default;
};

struct ShellRecords {
    std::mutex guard;
    std::vector<ShellRequest> requests;
    std::vector<std::u16string> calls;
};

ShellRecords& shellRecords();

}  // namespace wce
