#pragma once
// What the device helpers keep for the process once made: the device model,
// the processor kind and page size, the holders of the system libraries and
// the log's run.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "display/device/SystemLibraries.h"
#include "display/kernels/ProcessorKind.h"

namespace tdlx {

struct LogState {
  std::filesystem::path folder;
  // Whether this run has written its first entry.
  bool started = false;
};

std::optional<int>& cachedDeviceModel();
std::optional<ProcessorKind>& cachedProcessorKind();
std::optional<std::uint32_t>& cachedPageSize();
std::unique_ptr<CoreLibrary>& coreLibraryHolder();
std::unique_ptr<ShellLibrary>& shellLibraryHolder();
LogState& logState();

}  // namespace tdlx
