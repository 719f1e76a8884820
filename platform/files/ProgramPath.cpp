#include "platform/files/ProgramPath.h"

#include <algorithm>
#include <sys/stat.h>
#include <system_error>

#include "platform/files/FolderListings.h"
#include "platform/files/Folders.h"
#include "platform/files/Text.h"

namespace wce {
namespace {

namespace fs = std::filesystem;

bool entryExists(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool isFolder(const fs::path& path, struct stat& info) {
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isRegularFile(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The entry of `folder` (whose status is `info`) named `name`: the exact
// name when present, else the first entry in sorted order whose name
// matches case-insensitively.
std::optional<fs::path> findEntry(const fs::path& folder, const struct stat& info, const std::string& name) {
  fs::path exact = folder / name;
  if (entryExists(exact)) return exact;
  const std::u16string wanted = foldCase(fromUtf8(name));
  const std::string* match = nullptr;
  const std::shared_ptr<const FolderListings::Names> names = FolderListings::instance().names(folder, info);
  for (const FolderListings::Name& entry : *names)
    if (entry.folded == wanted && (!match || entry.name < *match)) match = &entry.name;
  if (!match) return std::nullopt;
  return folder / *match;
}

std::optional<fs::path> findFile(const fs::path& root, const std::vector<std::string>& names) {
  if (root.empty()) return std::nullopt;
  fs::path current = root;
  struct stat info {};
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!isFolder(current, info)) return std::nullopt;
    std::optional<fs::path> entry = findEntry(current, info, names[i]);
    if (!entry) return std::nullopt;
    current = std::move(*entry);
  }
  if (!isRegularFile(current)) return std::nullopt;
  return current;
}

}  // namespace

std::optional<std::vector<std::string>> splitProgramPath(std::u16string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string_view name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == u".") continue;
    if (name == u".." || name.find(u'\0') != std::u16string_view::npos) return std::nullopt;
    std::optional<std::string> encoded = toUtf8(name);
    if (!encoded) return std::nullopt;
    names.push_back(std::move(*encoded));
  }
  if (names.empty()) return std::nullopt;
  return names;
}

std::optional<fs::path> resolveForReading(std::u16string_view path) {
  const std::optional<std::vector<std::string>> names = splitProgramPath(path);
  if (!names) return std::nullopt;
  if (std::optional<fs::path> found = findFile(userFolder(), *names)) return found;
  return findFile(programFolder(), *names);
}

std::optional<fs::path> resolveForWriting(std::u16string_view path) {
  const std::optional<std::vector<std::string>> names = splitProgramPath(path);
  if (!names) return std::nullopt;
  fs::path current = userFolder();
  if (current.empty()) return std::nullopt;
  std::error_code error;
  fs::create_directories(current, error);
  struct stat info {};
  if (!isFolder(current, info)) return std::nullopt;
  for (std::size_t i = 0; i < names->size(); ++i) {
    const std::string& name = (*names)[i];
    std::optional<fs::path> entry = findEntry(current, info, name);
    current = entry ? std::move(*entry) : current / name;
    if (i + 1 == names->size()) break;
    if (!entry && ::mkdir(current.c_str(), 0777) != 0 && !isFolder(current, info)) return std::nullopt;
    if (!isFolder(current, info)) return std::nullopt;
  }
  return current;
}

std::optional<File> openProgramFile(std::u16string_view path) {
  const std::optional<fs::path> resolved = resolveForReading(path);
  if (!resolved) return std::nullopt;
  return File::openForReading(*resolved);
}

std::optional<File> createProgramFile(std::u16string_view path) {
  const std::optional<fs::path> resolved = resolveForWriting(path);
  if (!resolved) return std::nullopt;
  return File::createForWriting(*resolved);
}

}  // namespace wce
