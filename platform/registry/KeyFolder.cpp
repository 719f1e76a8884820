#include "platform/registry/KeyFolder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/registry/KeyName.h"

namespace wce {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr std::size_t kMaxEntryName = 255;

std::atomic<std::uint64_t> changesOfThisProcess{0};

std::int64_t nanoseconds(const timespec& time) { return std::int64_t{time.tv_sec} * 1000000000 + time.tv_nsec; }

std::string subkeyEntry(const std::string& encodedName) { return "k." + encodedName; }
std::string valueEntry(const std::string& encodedName) { return "v." + encodedName; }

bool fits(const std::string& entry) { return entry.size() <= kMaxEntryName; }

// Names of all entries of an open folder except "." and "..".
bool readEntries(int descriptor, std::vector<std::string>& names) {
  // A descriptor of its own, so that listings never share a read position.
  const int copy = ::openat(descriptor, ".", kFolderFlags);
  if (copy < 0) return false;
  DIR* folder = ::fdopendir(copy);
  if (folder == nullptr) {
    ::close(copy);
    return false;
  }
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(folder);
  return true;
}

// Removes the entry `name` of the folder `parent`, with all it contains.
bool removeTree(int parent, const std::string& name) {
  if (::unlinkat(parent, name.c_str(), 0) == 0 || errno == ENOENT) return true;
  if (errno != EISDIR && errno != EPERM) return false;
  const int folder = ::openat(parent, name.c_str(), kFolderFlags);
  if (folder < 0) return false;
  std::vector<std::string> names;
  bool removed = readEntries(folder, names);
  for (const std::string& entry : names) removed = removeTree(folder, entry) && removed;
  ::close(folder);
  return removed && ::unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0;
}

// Exactly size bytes; a file that ends earlier fails.
bool readExactly(int descriptor, BYTE* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(descriptor, data + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

bool writeAll(int descriptor, const BYTE* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = ::write(descriptor, data + done, size - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// A name outside every key, for temporary files and doomed folders; the
// process id in it tells whether its writer still runs.
// The id is asked of the kernel once, and again in a forked child.
std::string uniqueHiddenName(const char* tag) {
  static std::atomic<pid_t> pid = [] {
    ::pthread_atfork(nullptr, nullptr, [] { pid = ::getpid(); });
    return ::getpid();
  }();
  static std::atomic<std::uint64_t> counter{0};
  return "." + std::string(tag) + "." + std::to_string(pid.load()) + "." + std::to_string(++counter);
}

// Whether name is a hidden leftover (".t." or ".d.", then a process id and
// a count) of a process that no longer runs.
bool leftOverByEndedProcess(const std::string& name) {
  if (name.size() < 5 || name[0] != '.' || (name[1] != 't' && name[1] != 'd') || name[2] != '.') return false;
  const std::size_t dot = name.find('.', 3);
  if (dot == std::string::npos || dot == 3 || dot - 3 > 9) return false;
  pid_t pid = 0;
  for (std::size_t i = 3; i < dot; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
    pid = pid * 10 + (name[i] - '0');
  }
  if (pid <= 0 || pid == ::getpid()) return false;
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

}  // namespace

LONG KeyFolder::openRoot(const std::filesystem::path& folder, std::shared_ptr<KeyFolder>& result) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const int descriptor = ::open(folder.c_str(), kFolderFlags);
  if (descriptor < 0) return errno == ENOENT ? ERROR_NOT_FOUND : ERROR_CANTOPEN;
  result.reset(new KeyFolder(descriptor));
  return ERROR_SUCCESS;
}

KeyFolder::~KeyFolder() { ::close(descriptor_); }

LONG KeyFolder::check() const {
  struct stat info {};
  if (::fstat(descriptor_, &info) != 0) return ERROR_CANTREAD;
  return info.st_nlink == 0 ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

LONG KeyFolder::openSubkey(const std::string& encodedName, std::shared_ptr<KeyFolder>& result) const {
  if (const LONG status = check(); status != ERROR_SUCCESS) return status;
  const std::string entry = subkeyEntry(encodedName);
  if (!fits(entry)) return ERROR_INVALID_PARAMETER;
  const int descriptor = ::openat(descriptor_, entry.c_str(), kFolderFlags);
  if (descriptor < 0) return errno == ENOENT || errno == ENOTDIR ? ERROR_NOT_FOUND : ERROR_CANTOPEN;
  result.reset(new KeyFolder(descriptor));
  result->removeLeftoversOfEndedWriters();
  return ERROR_SUCCESS;
}

void KeyFolder::removeLeftoversOfEndedWriters() const {
  std::vector<std::string> names;
  if (!readEntries(descriptor_, names)) return;
  for (const std::string& name : names)
    if (leftOverByEndedProcess(name)) removeTree(descriptor_, name);
}

LONG KeyFolder::createSubkey(const std::string& encodedName, std::shared_ptr<KeyFolder>& result, bool& created) const {
  if (const LONG status = check(); status != ERROR_SUCCESS) return status;
  const std::string entry = subkeyEntry(encodedName);
  if (!fits(entry)) return ERROR_INVALID_PARAMETER;
  created = ::mkdirat(descriptor_, entry.c_str(), 0777) == 0;
  if (created) changed();
  if (!created && errno != EEXIST) return errno == ENOENT ? ERROR_KEY_DELETED : ERROR_CANTWRITE;
  if (created) ::fsync(descriptor_);
  return openSubkey(encodedName, result);
}

LONG KeyFolder::deleteSubkey(const std::string& encodedName) const {
  std::shared_ptr<KeyFolder> subkey;
  if (const LONG status = openSubkey(encodedName, subkey); status != ERROR_SUCCESS) return status;
  std::vector<Entry> below;
  if (const LONG status = subkey->subkeys(below); status != ERROR_SUCCESS) return status;
  if (!below.empty()) return ERROR_ACCESS_DENIED;
  // Renaming first makes the key vanish at once, even if removing its values
  // is interrupted; a hidden leftover is not part of any key.
  const std::string doomed = uniqueHiddenName("d");
  if (::renameat(descriptor_, subkeyEntry(encodedName).c_str(), descriptor_, doomed.c_str()) != 0) {
    return errno == ENOENT ? ERROR_NOT_FOUND : ERROR_CANTWRITE;
  }
  changed();
  ::fsync(descriptor_);
  removeTree(descriptor_, doomed);
  return ERROR_SUCCESS;
}

LONG KeyFolder::duplicate(std::shared_ptr<KeyFolder>& result) const {
  if (const LONG status = check(); status != ERROR_SUCCESS) return status;
  const int descriptor = ::fcntl(descriptor_, F_DUPFD_CLOEXEC, 0);
  if (descriptor < 0) return ERROR_CANTOPEN;
  result.reset(new KeyFolder(descriptor));
  return ERROR_SUCCESS;
}

LONG KeyFolder::subkeys(std::vector<Entry>& result) const { return list('k', result); }

LONG KeyFolder::values(std::vector<Entry>& result) const { return list('v', result); }

LONG KeyFolder::list(char kind, std::vector<Entry>& result) const {
  if (const LONG status = check(); status != ERROR_SUCCESS) return status;
  std::vector<std::string> names;
  if (!readEntries(descriptor_, names)) return ERROR_CANTREAD;
  result.clear();
  for (const std::string& name : names) {
    if (name.size() < 2 || name[0] != kind || name[1] != '.') continue;
    std::string encoded = name.substr(2);
    result.push_back({decodeKeyName(encoded), std::move(encoded)});
  }
  std::sort(result.begin(), result.end(), [](const Entry& a, const Entry& b) {
    return a.name != b.name ? a.name < b.name : a.encodedName < b.encodedName;
  });
  return ERROR_SUCCESS;
}

LONG KeyFolder::valueAt(std::size_t index, Entry& result) const {
  const std::lock_guard<std::mutex> hold(enumerationLock_);
  const std::uint64_t generation = changesOfThisProcess.load();
  if (index == 0 || index != enumerationNext_ || generation != enumerationGeneration_) {
    enumerationNext_ = 0;
    if (const LONG status = values(enumeration_); status != ERROR_SUCCESS) return status;
    enumerationGeneration_ = generation;
  } else if (const LONG status = check(); status != ERROR_SUCCESS) {
    return status;
  }
  if (index >= enumeration_.size()) return ERROR_NO_MORE_ITEMS;
  result = enumeration_[index];
  enumerationNext_ = index + 1;
  return ERROR_SUCCESS;
}

void KeyFolder::changed() { changesOfThisProcess.fetch_add(1); }

LONG KeyFolder::stamp(KeyStamp& result) const {
  result.generation = changesOfThisProcess.load();
  struct stat info {};
  if (::fstat(descriptor_, &info) != 0) return ERROR_CANTREAD;
  if (info.st_nlink == 0) return ERROR_KEY_DELETED;
  result.modified = nanoseconds(info.st_mtim);
  result.changed = nanoseconds(info.st_ctim);
  return ERROR_SUCCESS;
}

LONG KeyFolder::valueSize(const std::string& encodedName, std::uint64_t& size) const {
  const std::string entry = valueEntry(encodedName);
  if (!fits(entry)) return ERROR_FILE_NOT_FOUND;
  struct stat info {};
  if (::fstatat(descriptor_, entry.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return missingValue();
  if (!S_ISREG(info.st_mode)) return ERROR_CANTREAD;
  size = static_cast<std::uint64_t>(info.st_size);
  return ERROR_SUCCESS;
}

LONG KeyFolder::missingValue() const {
  if (errno != ENOENT) return ERROR_CANTREAD;
  const LONG status = check();
  return status != ERROR_SUCCESS ? status : ERROR_FILE_NOT_FOUND;
}

// Values are replaced by renaming, never rewritten in place, so an open
// value file holds the whole value. One read serves a value shorter than
// the buffer; only an empty or a full buffer asks for the file's status,
// to refuse what is no plain file and to tell the size of a larger value.
LONG KeyFolder::readValue(const std::string& encodedName, BYTE* data, std::size_t capacity, std::uint64_t& size) const {
  const std::string entry = valueEntry(encodedName);
  if (!fits(entry)) return ERROR_FILE_NOT_FOUND;
  const int descriptor = ::openat(descriptor_, entry.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return missingValue();
  const LONG status = readOpenValue(descriptor, data, capacity, size);
  ::close(descriptor);
  return status;
}

LONG KeyFolder::readOpenValue(int descriptor, BYTE* data, std::size_t capacity, std::uint64_t& size) {
  ssize_t got = 0;
  do {
    got = ::read(descriptor, data, capacity);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return ERROR_CANTREAD;
  if (got > 0 && static_cast<std::size_t>(got) < capacity) {
    size = static_cast<std::uint64_t>(got);
    return ERROR_SUCCESS;
  }
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return ERROR_CANTREAD;
  size = static_cast<std::uint64_t>(info.st_size);
  if (size > capacity) return ERROR_MORE_DATA;
  const std::size_t done = static_cast<std::size_t>(got);
  return readExactly(descriptor, data + done, static_cast<std::size_t>(size) - done) ? ERROR_SUCCESS : ERROR_CANTREAD;
}

// A deleted key needs no check first: its folder refuses new entries (ENOENT).
LONG KeyFolder::writeValue(const std::string& encodedName, const BYTE* data, std::size_t size) const {
  const std::string entry = valueEntry(encodedName);
  if (!fits(entry)) return ERROR_INVALID_PARAMETER;
  // A leftover of an interrupted write may hold a name given out again.
  std::string temporary;
  int descriptor = -1;
  for (int attempt = 0; attempt < 16 && descriptor < 0; ++attempt) {
    temporary = uniqueHiddenName("t");
    descriptor = ::openat(descriptor_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0 && errno != EEXIST) return errno == ENOENT ? ERROR_KEY_DELETED : ERROR_CANTWRITE;
  }
  if (descriptor < 0) return ERROR_CANTWRITE;
  const bool written = writeAll(descriptor, data, size) && ::fsync(descriptor) == 0;
  const bool closed = ::close(descriptor) == 0;
  if (!written || !closed || ::renameat(descriptor_, temporary.c_str(), descriptor_, entry.c_str()) != 0) {
    ::unlinkat(descriptor_, temporary.c_str(), 0);
    return ERROR_CANTWRITE;
  }
  changed();
  ::fsync(descriptor_);
  return ERROR_SUCCESS;
}

LONG KeyFolder::deleteValue(const std::string& encodedName) const {
  if (const LONG status = check(); status != ERROR_SUCCESS) return status;
  const std::string entry = valueEntry(encodedName);
  if (!fits(entry)) return ERROR_FILE_NOT_FOUND;
  if (::unlinkat(descriptor_, entry.c_str(), 0) != 0) {
    return errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_CANTWRITE;
  }
  changed();
  ::fsync(descriptor_);
  return ERROR_SUCCESS;
}

}  // namespace wce
