#include "display/device/Log.h"

#include <cstdarg>
#include <cstdio>

#include "platform/files/Folders.h"

namespace tdlx {
namespace {

struct LogState {
    std::filesystem::path folder;
    bool started = false;
};

LogState& state() {
    static LogState instance;
    return instance;
}

}  // namespace

void setLogFolder(const std::filesystem::path& folder) { state().folder = folder; }

std::filesystem::path logFilePath() {
    const LogState& s = state();
    return (s.folder.empty() ? wce::userFolder() : s.folder) / kLogFileName;
}

void logLine(const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    LogState& s = state();
    std::FILE* file = std::fopen(logFilePath().c_str(), s.started ? "a" : "w");
    if (!file) return;
    s.started = true;
    std::fprintf(file, "%s\n", text);
    std::fclose(file);
}

void restartLog() { state().started = false; }

}  // namespace tdlx
