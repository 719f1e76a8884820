#include "platform/files/Folders.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace wce {
namespace {

std::filesystem::path environmentFolder(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path homeFolder() {
  std::filesystem::path home = environmentFolder("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "/";
}

// Found once: the running executable does not move.
const std::filesystem::path& executableFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error);
    return executable.parent_path();
  }();
  return folder;
}

}  // namespace

std::filesystem::path programFolder() {
  std::filesystem::path folder = environmentFolder("NIGHTVAULT_PROGRAM_DIR");
  return folder.empty() ? executableFolder() : folder;
}

std::filesystem::path userFolder() {
  std::filesystem::path folder = environmentFolder("NIGHTVAULT_USER_DIR");
  if (!folder.empty()) return folder;
  const std::filesystem::path data = environmentFolder("XDG_DATA_HOME");
  if (data.is_absolute()) return data / "nightvault";
  return homeFolder() / ".local" / "share" / "nightvault";
}

}  // namespace wce
