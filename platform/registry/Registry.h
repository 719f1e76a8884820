#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/registry/RegistryTypes.h"

namespace wce {

// The registry: a folder tree under registryRoot(), one folder per root key
// ("HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"). Key and value names are
// case-insensitive and reported folded to lower case. Key paths separate
// names with '\'; an empty path names the key itself, an empty name inside
// a path is refused. An escaped name must fit a host file name: 253 bytes,
// each escaped byte taking 3. Values are REG_BINARY. A handle of a deleted
// key stays valid until closed, but every operation through it fails.

// NIGHTVAULT_REGISTRY when set, else "registry" in the user folder.
std::filesystem::path registryRoot();

// Opens an existing key; ERROR_NOT_FOUND when it does not exist.
LONG RegOpenKeyExW(HKEY key, std::u16string_view subKey, HKEY* result);
// Opens a key, creating it and every missing key on its path.
LONG RegCreateKeyExW(HKEY key, std::u16string_view subKey, HKEY* result, DWORD* disposition = nullptr);
// Closing the null key or a root does nothing.
LONG RegCloseKey(HKEY key);
// Deletes a key without subkeys, with its values.
LONG RegDeleteKeyW(HKEY key, std::u16string_view subKey);

// With `data` null, answers the size alone. A buffer smaller than the value
// gives ERROR_MORE_DATA and the size needed.
LONG RegQueryValueExW(HKEY key, std::u16string_view name, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExW(HKEY key, std::u16string_view name, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueW(HKEY key, std::u16string_view name);

// The value at `index` in name order. `nameLength` holds the buffer's size
// in units on entry and the name's length on success; a name that does not
// fit with its terminator gives ERROR_MORE_DATA; an index past the last
// value gives ERROR_NO_MORE_ITEMS.
LONG RegEnumValueW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength, DWORD* type, BYTE* data, DWORD* size);
// The subkey at `index` in name order, with the name rules of RegEnumValueW.
LONG RegEnumKeyExW(HKEY key, DWORD index, char16_t* name, DWORD* nameLength);
// Counts, longest names in units (without terminator) and largest value in
// bytes; any output may be null.
LONG RegQueryInfoKeyW(HKEY key, DWORD* subKeys, DWORD* maxSubKeyLength, DWORD* values, DWORD* maxValueNameLength,
                      DWORD* maxValueLength);

// Changes whenever the key's values or subkeys change: at once for changes
// made by this process, by the folder's change times (to the file system's
// clock) for changes made by others.
struct KeyStamp {
  std::uint64_t generation = 0;
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;
  bool operator==(const KeyStamp&) const = default;
};
LONG RegQueryKeyStamp(HKEY key, KeyStamp& stamp);

}  // namespace wce
