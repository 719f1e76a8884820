#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// One start of the game in the calling process, for HeadlessGame's child:
// composes the headless device, runs the host until the game ends and
// writes the event log, the failure (empty when none) and each
// checkpoint's panel into the output folder. Answers the process's exit code.
struct GameRun {
  static constexpr const char* logFile = "events.log";
  static constexpr const char* failureFile = "failure.txt";
  static constexpr const char* panelExtension = ".panel";
  static constexpr int64_t randomSeed = 20261210;

  std::filesystem::path program;
  std::filesystem::path user;
  std::filesystem::path out;
  std::string dumpName;  // the PNG files' prefix
  uint32_t limitMillis;
  std::string device;  // the device profile played on, as in a profile file; empty for the default
  // Called on the pass where the script has played through, in place of
  // ending the game; it may keep the process for itself.
  std::function<void()> afterScript;
  // While the game runs, files cannot grow past this many bytes, as on a
  // full disk (the checkpoints' files are written all the same).
  std::optional<uint64_t> fileSizeLimit;

  int play(const std::string& script) const;
};
