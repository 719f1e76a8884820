#pragma once
// One loaded library of the module table, freed with the object.

#include "platform/system/ModuleTable.h"

namespace tdlx {

class LoadedLibrary {
public:
  explicit LoadedLibrary(const char16_t* name) : module_(wce::LoadLibraryW(name)) {}
  ~LoadedLibrary() {
    if (module_) wce::FreeLibrary(module_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return module_ != nullptr; }

  // Null when the library or the entry is missing.
  template <typename Function>
  Function* entry(const char16_t* name) const {
    return module_ ? reinterpret_cast<Function*>(wce::GetProcAddressW(module_, name)) : nullptr;
  }

private:
  wce::HMODULE module_;
};

}  // namespace tdlx
