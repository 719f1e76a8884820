#include "platform/system/SystemInfo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/system/ActiveDevice.h"

namespace wce {
namespace {

bool copyText(const std::u16string& text, char16_t* buffer, std::size_t units) {
  if (!buffer || text.size() + 1 > units) return false;
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = u'\0';
  return true;
}

std::string_view localeSetting() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace

bool SystemParametersInfoW(UINT action, UINT param, void* buffer, UINT) {
  const DeviceProfile& profile = deviceProfile();
  auto* units = static_cast<char16_t*>(buffer);
  switch (action) {
    case SPI_GETPLATFORMTYPE: return copyText(profile.platformType, units, param / sizeof(char16_t));
    case SPI_GETOEMINFO: return copyText(profile.oemInfo, units, param / sizeof(char16_t));
    default: return false;
  }
}

int GetSystemMetrics(int index) {
  const ScreenSize size = screenSize();
  switch (index) {
    case SM_CXSCREEN: return size.width;
    case SM_CYSCREEN: return size.height;
    default: return 0;
  }
}

bool GetVersionExW(OsVersionInfo* info) {
  if (!info) return false;
  const DeviceProfile& profile = deviceProfile();
  *info = OsVersionInfo{};
  info->major = profile.osMajor;
  info->minor = profile.osMinor;
  info->build = profile.osBuild;
  info->platformId = VER_PLATFORM_WIN32_CE;
  return true;
}

std::u16string localeLanguageAbbreviation() {
  const std::string_view setting = localeSetting();
  const auto letters =
      std::find_if(
          setting.begin(), setting.end(), [](char c) { return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')); }) -
      setting.begin();
  const bool separated = static_cast<std::size_t>(letters) == setting.size() ||
                         std::strchr("_.@", setting[static_cast<std::size_t>(letters)]) != nullptr;
  if ((letters != 2 && letters != 3) || !separated) return u"EN";
  std::u16string language;
  for (char c : setting.substr(0, static_cast<std::size_t>(letters))) {
    language.push_back(static_cast<char16_t>(c >= 'a' ? c - 32 : c));
  }
  return language;
}

int GetLocaleInfoW(DWORD, DWORD type, char16_t* buffer, int units) {
  if (type != LOCALE_SABBREVLANGNAME || units < 0) return 0;
  const std::u16string language = localeLanguageAbbreviation();
  const int needed = static_cast<int>(language.size()) + 1;
  if (units == 0) return needed;
  return copyText(language, buffer, static_cast<std::size_t>(units)) ? needed : 0;
}

bool HasPointingDevice() { return deviceProfile().touchScreen; }

}  // namespace wce
