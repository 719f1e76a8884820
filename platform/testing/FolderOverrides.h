#pragma once
// Points the program folder, the user folder or the registry root at a
// folder of the test's own, through the variables the emulated handheld reads
// (NIGHTVAULT_PROGRAM_DIR, NIGHTVAULT_USER_DIR, NIGHTVAULT_REGISTRY). An
// empty path gives the variable back the value it had before the first
// override. Not while other threads read the folders.

#include <filesystem>

namespace wce {

void setProgramFolder(const std::filesystem::path& folder);
void setUserFolder(const std::filesystem::path& folder);
void setRegistryRoot(const std::filesystem::path& folder);

}  // namespace wce
