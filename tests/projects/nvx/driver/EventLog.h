#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "FolderWatch.h"

// What the running game did, as text lines, found by comparing the game's
// statics and the user folder after each frame with what they were before:
//   state N                       the game state changed
//   transition N requested / run  a deferred transition was asked for / done
//   level N                       the level number changed
//   money N                       the money changed
//   dialog ID title "T" [body "B"] [items "I" | ...] keys "K" | "K"
//                                 a window opened (or its content changed)
//   selection N "I"               the list window's selected item moved
//   line "T"                      a place's text came up in the map
//                                 screen's bubble at the map cursor
//   sound start NAME / stop NAME  a sound began or ended playing
//   record NAME: BYTES            a file of the user folder (a record of a
//                                 record store as STORE/ID) was written
//   record NAME deleted
// The recording wave-out plays nothing by itself, so a sound ends only when
// the game stops it.
class EventLog {
public:
  // The user folder's files as they are now are what a start found.
  explicit EventLog(std::filesystem::path userFolder);

  void observe();
  void note(const std::string& line) { lines_.push_back(line); }
  const std::vector<std::string>& lines() const { return lines_; }
  std::string text() const;

private:
  void observeState();
  void observeDialog();
  void observeLine();
  void observeSounds();
  void observeFiles();

  std::filesystem::path user_;
  FolderWatch userChanges_;
  std::vector<std::string> lines_;
  int32_t state_ = -1;
  int32_t transition_ = 0;
  int32_t level_ = 0;
  int32_t money_ = 0;
  bool moneySeen_ = false;
  bool levelSeen_ = false;
  std::string dialog_;
  int32_t selection_ = 0;
  std::string line_;
  std::vector<bool> playing_;
  std::map<std::string, std::string> files_;
};

// A user-folder file's name in the log: a registry value of the game's
// record stores as "store/id", other files by their relative path; empty
// for what is no record (unfinished writes, the ".txt" logs).
std::string recordName(const std::filesystem::path& relative);
// Bytes as hex pairs; more than 64 as their count and a hash.
std::string describeBytes(const std::string& bytes);
