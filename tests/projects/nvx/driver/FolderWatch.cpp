#include "FolderWatch.h"

#include <cerrno>
#include <sys/inotify.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO |
                              IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderWatch::FolderWatch(std::filesystem::path root)
    : root_(std::move(root)), descriptor_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool FolderWatch::changed() {
  if (descriptor_ < 0) return true;
  if (!first_ && !drained()) return false;
  first_ = false;
  watchTree();
  return true;
}

bool FolderWatch::drained() {
  alignas(inotify_event) char events[4096];
  bool any = false;
  for (;;) {
    const ssize_t got = ::read(descriptor_, events, sizeof events);
    if (got > 0) {
      any = true;
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return any;
  }
}

// Watches are added before the caller looks at the tree, so that nothing
// written after the look goes unseen; adding one twice keeps one.
void FolderWatch::watchTree() {
  if (::inotify_add_watch(descriptor_, root_.c_str(), kChanges) < 0) {
    ::close(descriptor_);
    descriptor_ = -1;
    return;
  }
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(root_, error);
       !error && it != std::filesystem::recursive_directory_iterator();
       it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error))
      ::inotify_add_watch(descriptor_, it->path().c_str(), kChanges);
  }
}
