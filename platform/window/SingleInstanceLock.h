#pragma once
// One copy of a program per program folder, window class and title, across
// processes: an advisory lock (flock) on a file in a lock folder, named by a
// hash of the three. A lock once taken is held until the process ends.

#include <map>
#include <mutex>
#include <string>

namespace wce {

class SingleInstanceLock {
public:
  static SingleInstanceLock& instance();

  // Turns the lock on; until then every claim succeeds. The lock folder must
  // exist (for example $XDG_RUNTIME_DIR or the user folder).
  void configure(std::string lockFolder, std::string programFolder);
  void disable();
  // True when this process holds, or now takes, the lock of (class, title);
  // false when another process holds it.
  bool claim(std::u16string_view className, std::u16string_view title);
  std::string lockFilePath(std::u16string_view className, std::u16string_view title) const;

private:
  std::mutex guard_;
  std::string lockFolder_;
  std::string programFolder_;
  std::map<std::string, int> held_;  // lock file path -> open descriptor
};

}  // namespace wce
