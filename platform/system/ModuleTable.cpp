#include "platform/system/ModuleTable.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/system/ActiveDevice.h"
#include "platform/system/AsciiCase.h"
#include "platform/system/Aygshell.h"

namespace wce {

struct Module {
  std::u16string name;
  std::map<std::u16string, FARPROC, std::less<>> entries;
  int loads = 0;
};

namespace {

// The system's own library is on every device.
constexpr std::u16string_view kSystemLibrary = u"coredll.dll";

std::u16string foldName(std::u16string_view name) { return asciiLowered(name); }

class ModuleTable {
public:
  ModuleTable() {
    add(u"aygshell.dll", u"SHFullScreen", reinterpret_cast<FARPROC>(&SHFullScreen));
    add(u"aygshell.dll", u"SHSetImeMode", reinterpret_cast<FARPROC>(&SHSetImeMode));
  }

  void add(std::u16string_view library, std::u16string_view entry, FARPROC function) {
    std::lock_guard lock(guard_);
    auto& module = modules_[foldName(library)];
    if (!module) module = std::make_unique<Module>(Module{std::u16string(library), {}, 0});
    module->entries[std::u16string(entry)] = function;
  }

  HMODULE load(std::u16string_view name) {
    const std::u16string key = foldName(name);
    if (key != kSystemLibrary && !deviceProfile().hasModule(name)) return nullptr;
    std::lock_guard lock(guard_);
    auto found = modules_.find(key);
    if (found == modules_.end()) return nullptr;
    ++found->second->loads;
    return found->second.get();
  }

  FARPROC find(HMODULE module, std::u16string_view entry) {
    std::lock_guard lock(guard_);
    if (!isLoaded(module)) return nullptr;
    auto found = module->entries.find(entry);
    return found == module->entries.end() ? nullptr : found->second;
  }

  bool release(HMODULE module) {
    std::lock_guard lock(guard_);
    if (!isLoaded(module)) return false;
    --module->loads;
    return true;
  }

private:
  bool isLoaded(HMODULE module) const {
    for (const auto& [name, known] : modules_) {
      if (known.get() == module) return module->loads > 0;
    }
    return false;
  }

  std::mutex guard_;
  std::map<std::u16string, std::unique_ptr<Module>> modules_;
};

ModuleTable& table() {
  static ModuleTable instance;
  return instance;
}

}  // namespace

void registerModuleEntry(std::u16string_view library, std::u16string_view entry, FARPROC function) {
  table().add(library, entry, function);
}

HMODULE LoadLibraryW(const char16_t* name) { return name ? table().load(name) : nullptr; }

FARPROC GetProcAddressW(HMODULE module, const char16_t* entry) { return entry ? table().find(module, entry) : nullptr; }

bool FreeLibrary(HMODULE module) { return table().release(module); }

}  // namespace wce
