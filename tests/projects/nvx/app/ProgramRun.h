#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "tests/support/TempFolder.h"

namespace nvtest {

struct ProgramOutcome {
  int status = -1;  // the exit status; -1 when it did not exit
  std::string output;
  std::string errors;
};

// The nightvault executable on a program and a user folder with no window
// (SDL's dummy drivers), `environment` ("NAME='value' ...") added, for at most
// a minute; its standard output and error go through files in `scratch`.
inline ProgramOutcome runProgram(const std::filesystem::path& program, const std::filesystem::path& user,
                                 const std::filesystem::path& scratch, const std::string& environment = "") {
  const std::filesystem::path output = scratch / "output.txt", errors = scratch / "errors.txt";
  const std::string command = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy NIGHTVAULT_PROGRAM_DIR='" +
                              program.string() + "' NIGHTVAULT_USER_DIR='" + user.string() + "' " + environment +
                              " timeout 60 '" + NV_NIGHTVAULT "' > '" + output.string() + "' 2> '" + errors.string() +
                              "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWhole(output), readWhole(errors)};
}

}  // namespace nvtest
