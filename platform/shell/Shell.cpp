#include "platform/shell/Shell.h"

#include <cstdlib>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>

#include "platform/files/Text.h"
#include "platform/shell/ShellRecords.h"
#include "platform/system/AsciiCase.h"
#include "platform/system/ModuleTable.h"

extern char** environ;

namespace wce {

ShellRecords& shellRecords() {
  static ShellRecords shared;
  return shared;
}

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

bool hasAssociation(std::u16string_view file) {
  return startsWithIgnoringAsciiCase(file, u"http:") || startsWithIgnoringAsciiCase(file, u"https:") ||
         startsWithIgnoringAsciiCase(file, u"mailto:");
}

bool desktopOpenerAllowed() {
  const char* setting = std::getenv("NIGHTVAULT_OPEN_URLS");
  return setting && std::string_view(setting) == "1";
}

void openOnDesktop(std::u16string_view file) {
  std::string address = toUtf8Lossy(file);
  char program[] = "xdg-open";
  char* arguments[] = {program, address.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, arguments, environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
  }
}

std::int32_t phoneMakeCall(PhoneMakeCallInfo* info) {
  if (!info || !info->destination) return -1;
  recordCall(shellRecords().calls, info->destination);
  return 0;
}

}  // namespace

bool ShellExecuteEx(ShellExecuteInfo* info) {
  if (!info || !info->file) {
    lastError = ERROR_FILE_NOT_FOUND;
    return false;
  }
  std::u16string file(info->file);
  recordCall(shellRecords().requests, {file, info->mask, info->show});
  if (!hasAssociation(file)) {
    lastError = ERROR_NO_ASSOCIATION;
    return false;
  }
  if (desktopOpenerAllowed()) openOnDesktop(file);
  lastError = ERROR_SUCCESS;
  return true;
}

DWORD GetLastError() { return lastError; }

void registerPhoneEntries() { registerModuleEntry(u"phone.dll", u"PhoneMakeCall", &phoneMakeCall); }

}  // namespace wce
