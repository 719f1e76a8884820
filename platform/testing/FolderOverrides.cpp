#include "platform/testing/FolderOverrides.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace wce {
namespace {

// The value each variable had before its first override.
struct SavedVariables {
  std::mutex guard;
  std::map<std::string, std::optional<std::string>> values;
};

SavedVariables& savedVariables() {
  static SavedVariables saved;
  return saved;
}

void overrideVariable(const std::string& name, const std::filesystem::path& folder) {
  SavedVariables& saved = savedVariables();
  std::lock_guard lock(saved.guard);
  auto [at, first] = saved.values.try_emplace(name);
  if (first) {
    if (const char* value = std::getenv(name.c_str())) at->second = value;
  }
  if (!folder.empty()) {
    ::setenv(name.c_str(), folder.c_str(), 1);
  } else if (at->second) {
    ::setenv(name.c_str(), at->second->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
}

}  // namespace

void setProgramFolder(const std::filesystem::path& folder) { overrideVariable("NIGHTVAULT_PROGRAM_DIR", folder); }

void setUserFolder(const std::filesystem::path& folder) { overrideVariable("NIGHTVAULT_USER_DIR", folder); }

void setRegistryRoot(const std::filesystem::path& folder) { overrideVariable("NIGHTVAULT_REGISTRY", folder); }

}  // namespace wce
