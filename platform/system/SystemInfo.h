#pragma once
// System queries answered from the device profile and the process environment.

#include <string>

#include "platform/system/WinTypes.h"

namespace wce {

inline constexpr UINT SPI_GETPLATFORMTYPE = 257;
inline constexpr UINT SPI_GETOEMINFO = 258;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr DWORD LOCALE_USER_DEFAULT = 0x400;
inline constexpr DWORD LOCALE_SABBREVLANGNAME = 3;
inline constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

// SPI_GETPLATFORMTYPE and SPI_GETOEMINFO copy the profile's text with its
// terminator into buffer, whose size param is in bytes; false for other
// actions, a null buffer or a buffer too small for the whole text.
bool SystemParametersInfoW(UINT action, UINT param, void* buffer, UINT winIni);

// SM_CXSCREEN, SM_CYSCREEN: the screen at the current orientation; 0 otherwise.
int GetSystemMetrics(int index);

struct OsVersionInfo {
  DWORD major = 0;
  DWORD minor = 0;
  DWORD build = 0;
  DWORD platformId = 0;
  char16_t servicePack[128] = {};
};
bool GetVersionExW(OsVersionInfo* info);

// LOCALE_SABBREVLANGNAME: the upper-cased language of LC_ALL, LC_MESSAGES or
// LANG (the first one set), "EN" for C, POSIX, unset or unreadable values.
// Answers the units written with the terminator; with units 0, the units
// needed; 0 when the type is unknown or the buffer is too small.
int GetLocaleInfoW(DWORD locale, DWORD type, char16_t* buffer, int units);
std::u16string localeLanguageAbbreviation();

// Whether a pen, touch screen or mouse is there to point with.
bool HasPointingDevice();

}  // namespace wce
