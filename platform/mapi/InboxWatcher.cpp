#include "platform/mapi/InboxWatcher.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include "platform/sms/MessageFile.h"

namespace wce::mapi {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<InboxWatcher> InboxWatcher::start(const std::filesystem::path& folder, Bytes inboxId,
                                                  IMAPIAdviseSink* sink) {
  FileDescriptor inotify(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  FileDescriptor stop(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
  if (!sink || !inotify.valid() || !stop.valid() ||
      ::inotify_add_watch(inotify.get(), folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_ONLYDIR) < 0) {
    return nullptr;
  }
  return std::unique_ptr<InboxWatcher>(
      new InboxWatcher(folder, std::move(inboxId), sink, std::move(inotify), std::move(stop)));
}

InboxWatcher::InboxWatcher(std::filesystem::path folder, Bytes inboxId, IMAPIAdviseSink* sink, FileDescriptor inotify,
                           FileDescriptor stop)
    : folder_(std::move(folder)),
      inboxId_(std::move(inboxId)),
      sink_(sink),
      inotify_(std::move(inotify)),
      stop_(std::move(stop)) {
  sink_->AddRef();
  thread_ = std::make_unique<Thread>([this] { return run(); }, false);
}

InboxWatcher::~InboxWatcher() {
  const std::uint64_t one = 1;
  while (::write(stop_.get(), &one, sizeof one) < 0 && errno == EINTR) {}
  thread_.reset();
  sink_->Release();
}

std::uint32_t InboxWatcher::run() {
  alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
  for (;;) {
    pollfd waits[2] = {{inotify_.get(), POLLIN, 0}, {stop_.get(), POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return 1;
    }
    if (waits[1].revents != 0) return 0;
    const ssize_t length = ::read(inotify_.get(), buffer, sizeof buffer);
    if (length <= 0) continue;
    std::vector<std::string> names;
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      if (event.len > 0) names.emplace_back(buffer + at + sizeof event);
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
    notifyArrivals(names);
  }
}

void InboxWatcher::notifyArrivals(const std::vector<std::string>& names) {
  std::vector<std::string> arrived;
  for (const std::string& name : names) {
    if (!isMessageFileName(name) || seen_.count(name)) continue;
    const auto bytes = readMessageFile(folder_ / name);
    if (!bytes || !parseInboxMessage(*bytes)) continue;
    seen_.insert(name);
    arrived.push_back(name);
  }
  if (arrived.empty()) return;
  std::vector<Notification> notifications;
  for (const std::string& name : arrived) {
    Notification notification{};
    notification.eventType = fnevObjectCreated;
    notification.object.entryIdSize = static_cast<ULONG>(name.size());
    notification.object.entryId = reinterpret_cast<const std::uint8_t*>(name.data());
    notification.object.objectType = MAPI_MESSAGE;
    notification.object.parentIdSize = static_cast<ULONG>(inboxId_.size());
    notification.object.parentId = inboxId_.data();
    notifications.push_back(notification);
  }
  sink_->OnNotify(static_cast<ULONG>(notifications.size()), notifications.data());
}

}  // namespace wce::mapi
