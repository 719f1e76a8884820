#include "display/device/Log.h"

#include <cstdarg>
#include <cstdio>

#include "display/device/DeviceCaches.h"
#include "platform/files/Folders.h"

namespace tdlx {

LogState& logState() {
  static LogState instance;
  return instance;
}

void setLogFolder(const std::filesystem::path& folder) { logState().folder = folder; }

std::filesystem::path logFilePath() {
  const LogState& s = logState();
  return (s.folder.empty() ? wce::userFolder() : s.folder) / kLogFileName;
}

void logLine(const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  LogState& s = logState();
  std::FILE* file = std::fopen(logFilePath().c_str(), s.started ? "a" : "w");
  if (!file) return;
  s.started = true;
  std::fprintf(file, "%s\n", text);
  std::fclose(file);
}

}  // namespace tdlx
