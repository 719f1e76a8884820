#pragma once

#include <filesystem>

namespace wce {

// The folder of the program: NIGHTVAULT_PROGRAM_DIR when set, else the
// folder of the running executable. It may be read-only.
std::filesystem::path programFolder();

// The folder of the user's state: NIGHTVAULT_USER_DIR when set, else
// $XDG_DATA_HOME/nightvault, else ~/.local/share/nightvault.
std::filesystem::path userFolder();

}  // namespace wce
