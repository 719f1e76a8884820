#pragma once
// Watches the inbox folder on a thread of its own and tells a sink of every
// message file that appears in it, as fnevObjectCreated notifications whose
// parent is the inbox. A file that is no message raises nothing.

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/mapi/MapiTypes.h"
#include "platform/mapi/PropertyCell.h"
#include "platform/threads/Thread.h"

namespace wce::mapi {

class FileDescriptor {
public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

private:
  int fd_;
};

class InboxWatcher {
public:
  // The sink is counted for the watcher's lifetime. Null when the folder
  // cannot be watched.
  static std::unique_ptr<InboxWatcher> start(const std::filesystem::path& folder, Bytes inboxId, IMAPIAdviseSink* sink);
  // Stops the thread and waits for it, then releases the sink.
  ~InboxWatcher();
  InboxWatcher(const InboxWatcher&) = delete;
  InboxWatcher& operator=(const InboxWatcher&) = delete;

private:
  InboxWatcher(std::filesystem::path folder, Bytes inboxId, IMAPIAdviseSink* sink, FileDescriptor inotify,
               FileDescriptor stop);

  std::uint32_t run();
  void notifyArrivals(const std::vector<std::string>& names);

  const std::filesystem::path folder_;
  const Bytes inboxId_;
  IMAPIAdviseSink* const sink_;
  FileDescriptor inotify_;
  FileDescriptor stop_;
  std::set<std::string> seen_;
  std::unique_ptr<Thread> thread_;
};

}  // namespace wce::mapi
