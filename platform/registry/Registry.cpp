#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/Folders.h"
#include "platform/registry/KeyHandles.h"
#include "platform/registry/KeyName.h"

namespace wce {
namespace {

// The encoded names of a '\'-separated key path; nothing for an empty name
// or a name that is not valid UTF-16.
std::optional<std::vector<std::string>> encodeKeyPath(std::u16string_view path) {
  std::vector<std::string> names;
  if (path.empty()) return names;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    const std::u16string_view name = path.substr(start, end - start);
    if (name.empty()) return std::nullopt;
    std::optional<std::string> encoded = encodeKeyName(name);
    if (!encoded) return std::nullopt;
    names.push_back(std::move(*encoded));
    if (end == path.size()) return names;
    start = end + 1;
  }
}

// Walks from `key` along the first `count` names; with no names, answers a
// second handle on `key` itself.
LONG walk(HKEY key, const std::vector<std::string>& names, bool create, std::size_t count,
          std::shared_ptr<KeyFolder>& result, bool& created) {
  LONG status = ERROR_SUCCESS;
  std::shared_ptr<KeyFolder> current = KeyHandles::instance().find(key, status);
  if (!current) return status;
  created = false;
  for (std::size_t i = 0; i < count; ++i) {
    std::shared_ptr<KeyFolder> next;
    status = create ? current->createSubkey(names[i], next, created) : current->openSubkey(names[i], next);
    if (status != ERROR_SUCCESS) return status;
    current = std::move(next);
  }
  if (count == 0) {
    std::shared_ptr<KeyFolder> same;
    if ((status = current->duplicate(same)) != ERROR_SUCCESS) return status;
    current = std::move(same);
  }
  result = std::move(current);
  return ERROR_SUCCESS;
}

LONG openKey(HKEY key, std::u16string_view subKey, bool create, HKEY* result, DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = HKEY_NULL;
  const std::optional<std::vector<std::string>> names = encodeKeyPath(subKey);
  if (!names) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<KeyFolder> folder;
  bool created = false;
  const LONG status = walk(key, *names, create, names->size(), folder, created);
  if (status != ERROR_SUCCESS) return status;
  *result = KeyHandles::instance().add(std::move(folder));
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

std::shared_ptr<KeyFolder> findKey(HKEY key, LONG& status) { return KeyHandles::instance().find(key, status); }

// Copies `name` and its terminator into a buffer of `*length` units.
LONG copyName(const std::u16string& name, char16_t* buffer, DWORD* length) {
  if (buffer == nullptr || length == nullptr) return ERROR_INVALID_PARAMETER;
  if (name.size() + 1 > *length) return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = u'\0';
  *length = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Answers the type, size and, with a buffer, the data of a value.
LONG queryValue(const KeyFolder& key, const std::string& encodedName, DWORD* type, BYTE* data, DWORD* size) {
  if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
  std::uint64_t length = 0;
  const LONG status =
      data == nullptr ? key.valueSize(encodedName, length) : key.readValue(encodedName, data, *size, length);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return status;
  if (length > std::numeric_limits<DWORD>::max()) return ERROR_CANTREAD;
  if (size != nullptr) *size = static_cast<DWORD>(length);
  if (status == ERROR_SUCCESS && type != nullptr) *type = REG_BINARY;
  return status;
}

}  // namespace

std::filesystem::path registryRoot() {
  const char* folder = std::getenv("NIGHTVAULT_REGISTRY");
  if (folder != nullptr && *folder != '\0') return folder;
  return userFolder() / "registry";
}

LONG RegOpenKeyExW(HKEY key, std::u16string_view subKey, HKEY* result) {
  return openKey(key, subKey, false, result, nullptr);
}

LONG RegCreateKeyExW(HKEY key, std::u16string_view subKey, HKEY* result, DWORD* disposition) {
  return openKey(key, subKey, true, result, disposition);
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  return KeyHandles::instance().remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyW(HKEY key, std::u16string_view subKey) {
  const std::optional<std::vector<std::string>> names = encodeKeyPath(subKey);
  if (!names || names->empty()) return ERROR_INVALID_PARAMETER;
  std::shared_ptr<KeyFolder> parent;
  bool created = false;
  const LONG status = walk(key, *names, false, names->size() - 1, parent, created);
  if (status != ERROR_SUCCESS) return status;
  return parent->deleteSubkey(names->back());
}

LONG RegQueryValueExW(HKEY key, std::u16string_view name, DWORD* type, BYTE* data, DWORD* size) {
  const std::optional<std::string> encoded = encodeKeyName(name);
  if (!encoded) return ERROR_INVALID_PARAMETER;
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  return queryValue(*folder, *encoded, type, data, size);
}

LONG RegSetValueExW(HKEY key, std::u16string_view name, DWORD type, const BYTE* data, DWORD size) {
  const std::optional<std::string> encoded = encodeKeyName(name);
  if (!encoded || type != REG_BINARY || (data == nullptr && size != 0)) return ERROR_INVALID_PARAMETER;
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  return folder->writeValue(*encoded, data, size);
}

LONG RegDeleteValueW(HKEY key, std::u16string_view name) {
  const std::optional<std::string> encoded = encodeKeyName(name);
  if (!encoded) return ERROR_INVALID_PARAMETER;
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  return folder->deleteValue(*encoded);
}

LONG RegEnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data, DWORD* size) {
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  KeyFolder::Entry value;
  if ((status = folder->valueAt(index, value)) != ERROR_SUCCESS) return status;
  if ((status = copyName(value.name, name, nameLength)) != ERROR_SUCCESS) return status;
  if (type == nullptr && data == nullptr && size == nullptr) return ERROR_SUCCESS;
  return queryValue(*folder, value.encodedName, type, data, size);
}

LONG RegEnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength) {
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  std::vector<KeyFolder::Entry> subkeys;
  if ((status = folder->subkeys(subkeys)) != ERROR_SUCCESS) return status;
  if (index >= subkeys.size()) return ERROR_NO_MORE_ITEMS;
  return copyName(subkeys[index].name, name, nameLength);
}

LONG RegQueryInfoKeyW(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength, DWORD* values, DWORD* maxValueNameLength,
                      DWORD* maxValueLength) {
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  std::vector<KeyFolder::Entry> keyEntries;
  std::vector<KeyFolder::Entry> valueEntries;
  if ((status = folder->subkeys(keyEntries)) != ERROR_SUCCESS) return status;
  if ((status = folder->values(valueEntries)) != ERROR_SUCCESS) return status;
  DWORD longestKey = 0;
  for (const KeyFolder::Entry& entry : keyEntries) longestKey = std::max<DWORD>(longestKey, entry.name.size());
  DWORD longestName = 0;
  DWORD largest = 0;
  for (const KeyFolder::Entry& entry : valueEntries) {
    longestName = std::max<DWORD>(longestName, entry.name.size());
    std::uint64_t length = 0;
    if (maxValueLength != nullptr && folder->valueSize(entry.encodedName, length) == ERROR_SUCCESS) {
      largest = static_cast<DWORD>(
          std::min<std::uint64_t>(std::max<std::uint64_t>(largest, length), std::numeric_limits<DWORD>::max()));
    }
  }
  if (subKeys != nullptr) *subKeys = static_cast<DWORD>(keyEntries.size());
  if (maxSubKeyLength != nullptr) *maxSubKeyLength = longestKey;
  if (values != nullptr) *values = static_cast<DWORD>(valueEntries.size());
  if (maxValueNameLength != nullptr) *maxValueNameLength = longestName;
  if (maxValueLength != nullptr) *maxValueLength = largest;
  return ERROR_SUCCESS;
}

}  // namespace wce

namespace wce {

LONG RegQueryKeyStamp(HKEY key, KeyStamp& stamp) {
  LONG status = ERROR_SUCCESS;
  const std::shared_ptr<KeyFolder> folder = findKey(key, status);
  if (!folder) return status;
  return folder->stamp(stamp);
}

}  // namespace wce
