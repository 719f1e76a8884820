#include "platform/window/SingleInstanceLock.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace wce {
namespace {

void appendUtf8(std::string& out, std::u16string_view text) {
  for (char16_t unit : text) {
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else {
      out.push_back(static_cast<char>(0xC0 | (unit >> 11)));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x1F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
}

std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

}  // namespace

SingleInstanceLock& SingleInstanceLock::instance() {
  static SingleInstanceLock lock;
  return lock;
}

void SingleInstanceLock::configure(std::string lockFolder, std::string programFolder) {
  std::lock_guard lock(guard_);
  lockFolder_ = std::move(lockFolder);
  programFolder_ = std::move(programFolder);
}

void SingleInstanceLock::disable() {
  std::lock_guard lock(guard_);
  lockFolder_.clear();
}

std::string SingleInstanceLock::lockFilePath(std::u16string_view className, std::u16string_view title) const {
  // The key keeps the parts apart with separators no name holds.
  std::string key = programFolder_;
  key.push_back('\0');
  appendUtf8(key, className);
  key.push_back('\0');
  appendUtf8(key, title);
  char name[40];
  std::snprintf(name, sizeof name, "/nightvault-%016llx.lock", static_cast<unsigned long long>(fnv1a(key)));
  return lockFolder_ + name;
}

bool SingleInstanceLock::claim(std::u16string_view className, std::u16string_view title) {
  std::lock_guard lock(guard_);
  if (lockFolder_.empty()) return true;
  const std::string path = lockFilePath(className, title);
  if (held_.count(path)) return true;
  const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return true;  // no lock can be kept here: do not stop the program
  while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const bool heldElsewhere = errno == EWOULDBLOCK;
    close(descriptor);
    return !heldElsewhere;
  }
  held_[path] = descriptor;
  return true;
}

}  // namespace wce
