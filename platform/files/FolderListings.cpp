#include "platform/files/FolderListings.h"

#include <algorithm>
#include <ctime>
#include <system_error>

#include "platform/files/Text.h"

namespace wce {
namespace {

// Far longer than a tick of the coarse clock file systems stamp changes
// with; stamps in whole seconds (no nanoseconds) may be two seconds apart.
constexpr std::int64_t SettledNanoseconds = 50'000'000;
constexpr std::int64_t SettledWholeSeconds = 3'000'000'000;

std::int64_t nanoseconds(const struct timespec& time) {
  return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

bool sameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

FolderListings& FolderListings::instance() {
  static FolderListings listings;
  return listings;
}

std::shared_ptr<const FolderListings::Names> FolderListings::names(const std::filesystem::path& folder,
                                                                   const struct stat& info) {
  {
    std::lock_guard guard(lock_);
    auto found = listings_.find(folder);
    if (found != listings_.end() && sameTime(found->second.modified, info.st_mtim) &&
        sameTime(found->second.changed, info.st_ctim) && found->second.inode == info.st_ino &&
        found->second.device == info.st_dev)
      return found->second.names;
  }
  std::shared_ptr<const Names> names = list(folder);
  std::lock_guard guard(lock_);
  if (settled(info)) {
    listings_[folder] = Listing{info.st_mtim, info.st_ctim, info.st_ino, info.st_dev, names};
  } else {
    listings_.erase(folder);
  }
  return names;
}

std::shared_ptr<const FolderListings::Names> FolderListings::list(const std::filesystem::path& folder) {
  auto names = std::make_shared<Names>();
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    names->push_back({foldCase(fromUtf8(name)), std::move(name)});
  }
  return names;
}

// Whether a change made from now on is sure to give the folder new times.
bool FolderListings::settled(const struct stat& info) {
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const std::int64_t latest = std::max(nanoseconds(info.st_mtim), nanoseconds(info.st_ctim));
  const bool wholeSeconds = info.st_mtim.tv_nsec == 0 && info.st_ctim.tv_nsec == 0;
  return nanoseconds(now) - latest > (wholeSeconds ? SettledWholeSeconds : SettledNanoseconds);
}

}  // namespace wce
