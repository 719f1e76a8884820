#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace wce {

// The entry names of folders, each with its case-folded form, listed once
// and again only when the folder changes. A change shows in the folder's
// times; a folder changed too recently for its times to tell a later change
// apart is listed afresh every time.
class FolderListings {
public:
  struct Name {
    std::u16string folded;
    std::string name;
  };
  using Names = std::vector<Name>;

  static FolderListings& instance();

  // The entries of folder, whose status is `info`; none when it cannot be read.
  std::shared_ptr<const Names> names(const std::filesystem::path& folder, const struct stat& info);

private:
  struct Listing {
    struct timespec modified {};
    struct timespec changed {};
    ino_t inode = 0;
    dev_t device = 0;
    std::shared_ptr<const Names> names;
  };

  static std::shared_ptr<const Names> list(const std::filesystem::path& folder);
  static bool settled(const struct stat& info);

  std::mutex lock_;
  std::map<std::filesystem::path, Listing> listings_;
};

}  // namespace wce
