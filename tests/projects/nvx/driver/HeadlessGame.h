#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Panel.h"
#include "tests/support/TempFolder.h"

// The real game on the real host and game library, headless. Each start runs
// in a process of its own, as when a person starts the program again: the
// demo data set built from data/ into a temporary program folder, one
// temporary user folder kept across the starts, the manual clock moved one
// frame period (42 ms) a host pass so each pass is one game step, the
// in-memory panel, the recording wave-out and a fixed random seed. The
// script plays into the game's window; when it is done (or fails, or the
// game runs past the limit in game time) the game is ended as on exit. At
// a checkpoint the panel is kept for the test and written as a PNG for
// people under the build tree's driver dump folder. What the game writes on
// standard error is kept for the test, and passed on to the test's own.
class HeadlessGame {
public:
  struct Start {
    std::string log;      // the event log, one line an event
    std::string failure;  // empty when the script played through
    std::string errors;   // the game's standard error
    std::map<std::string, Panel> checkpoints;
  };

  // `device` is the device profile played on, as in a profile file ("preset = VGA"); empty for
  // the default profile.
  explicit HeadlessGame(std::string scenario, std::string device = {});
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  // With a file size limit the game runs as on a full disk (GameRun).
  Start start(const std::string& script, uint32_t limitMillis = 120000,
              std::optional<uint64_t> fileSizeLimit = std::nullopt);

  const std::filesystem::path& program() const { return program_; }
  const std::filesystem::path& user() const { return user_; }
  // The folder of one of the game's record stores in the user folder.
  std::filesystem::path storeFolder(const std::string& store) const;
  // Every file of the stores by "store/file", leftovers of unfinished writes
  // included.
  std::map<std::string, std::string> storedFiles(const std::vector<std::string>& stores) const;

private:
  std::string scenario_;
  std::string device_;
  nvtest::TempFolder root_{"nv-driver"};
  std::filesystem::path program_;
  std::filesystem::path user_;
  int starts_ = 0;
};
