#pragma once
// Shell and phone requests of the handheld. Every request is recorded. Web
// and mail addresses ("http:", "https:", "mailto:") are the only documents
// with an associated program; they open in the desktop's browser (xdg-open)
// only when NIGHTVAULT_OPEN_URLS is "1", otherwise they are only recorded.
// "phone.dll" with PhoneMakeCall is present when the device profile lists it.

#include "platform/system/WinTypes.h"

namespace wce {

inline constexpr DWORD SEE_MASK_FLAG_NO_UI = 0x00000400;
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_NO_ASSOCIATION = 1155;
inline constexpr DWORD PMCF_DEFAULT = 0x00000001;

struct ShellExecuteInfo {
  DWORD size = sizeof(ShellExecuteInfo);
  DWORD mask = 0;
  HWND window = nullptr;
  const char16_t* verb = nullptr;
  const char16_t* file = nullptr;
  const char16_t* parameters = nullptr;
  const char16_t* directory = nullptr;
  int show = 0;
};

// False with the reason in GetLastError: ERROR_FILE_NOT_FOUND without a
// file, ERROR_NO_ASSOCIATION for a document no program opens.
bool ShellExecuteEx(ShellExecuteInfo* info);
// The reason of the calling thread's last failed shell request.
DWORD GetLastError();

struct PhoneMakeCallInfo {
  DWORD size = sizeof(PhoneMakeCallInfo);
  DWORD flags = 0;
  const char16_t* destination = nullptr;
  const char16_t* applicationName = nullptr;
  const char16_t* calledParty = nullptr;
  const char16_t* comment = nullptr;
};
using PhoneMakeCallFunction = std::int32_t (*)(PhoneMakeCallInfo* info);

// Adds "phone.dll" PhoneMakeCall (answers 0 for a destination, else -1) to
// the module table.
void registerPhoneEntries();

}  // namespace wce
