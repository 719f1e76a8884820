#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/File.h"

namespace wce {

// Paths of files beside the program, written as on the handheld: relative to
// the program folder, '\' or '/' between names, a leading separator allowed.
// Empty and "." names are skipped; a ".." name, a NUL unit, an unpaired
// surrogate or a path without any name is refused. Names are UTF-8 encoded.
std::optional<std::vector<std::string>> splitProgramPath(std::u16string_view path);

// The existing regular file a path names: looked up in the user folder first,
// then in the program folder. Each name is matched exactly, or, when no entry
// has the exact name, case-insensitively.
std::optional<std::filesystem::path> resolveForReading(std::u16string_view path);

// Where a file written beside the program goes: the same relative path in the
// user folder. Missing folders are created with the names as given; existing
// entries are matched as for reading.
std::optional<std::filesystem::path> resolveForWriting(std::u16string_view path);

// resolveForReading, then File::openForReading.
std::optional<File> openProgramFile(std::u16string_view path);
// resolveForWriting, then File::createForWriting.
std::optional<File> createProgramFile(std::u16string_view path);

}  // namespace wce
