#pragma once
// The handheld's libraries: built-in emulations registered by name, each
// present only when the device profile lists it ("coredll.dll", the system's
// own library, is always present). Library names compare without
// regard to ASCII case, entry names exactly. The module that implements a
// library registers its entries, before the first LoadLibraryW of it; aygshell
// is built in.

#include <string_view>

#include "platform/system/WinTypes.h"

namespace wce {

// Adds or replaces one entry of a library.
void registerModuleEntry(std::u16string_view library, std::u16string_view entry, FARPROC function);

template <typename Function>
void registerModuleEntry(std::u16string_view library, std::u16string_view entry, Function* function) {
  registerModuleEntry(library, entry, reinterpret_cast<FARPROC>(function));
}

// Null when the library is not registered or the profile lacks it. Every
// successful load must be matched by a FreeLibrary.
HMODULE LoadLibraryW(const char16_t* name);
// Null for an unknown entry, a null name, or a handle that is not loaded.
FARPROC GetProcAddressW(HMODULE module, const char16_t* entry);
// False for a null handle or one that is not loaded.
bool FreeLibrary(HMODULE module);

}  // namespace wce
