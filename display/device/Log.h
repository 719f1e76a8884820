#pragma once
// The library's log, "Log_TDLX.txt": one printf-style entry per line. The
// first entry of a run empties the file; the file is closed after each entry,
// and an entry is dropped when the file cannot be opened.

#include <filesystem>

namespace tdlx {

inline constexpr const char* kLogFileName = "Log_TDLX.txt";

// The folder the log is written to; empty (the default) is the user folder,
// never the working folder.
void setLogFolder(const std::filesystem::path& folder);
std::filesystem::path logFilePath();

// Formats into 1 KB at most.
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tdlx
