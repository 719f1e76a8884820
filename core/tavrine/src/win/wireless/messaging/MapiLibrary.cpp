#include "wireless/messaging/MapiLibrary.h"

#include "platform/system/ModuleTable.h"

namespace qel::messaging {

namespace {

template <typename Function>
Function entry(wce::HMODULE module, const char16_t* name) {
  return reinterpret_cast<Function>(wce::GetProcAddressW(module, name));
}

}  // namespace

bool MapiLibrary::load() {
  module_ = wce::LoadLibraryW(u"cemapi.dll");
  if (!module_) return false;
  logonEx = entry<wce::MAPILogonExFunction>(module_, u"MAPILogonEx");
  freeBuffer = entry<wce::MAPIFreeBufferFunction>(module_, u"MAPIFreeBuffer");
  initialize = entry<wce::MAPIInitializeFunction>(module_, u"MAPIInitialize");
  uninitialize = entry<wce::MAPIUninitializeFunction>(module_, u"MAPIUninitialize");
  return true;
}

void MapiLibrary::unload() {
  initialize = nullptr;
  uninitialize = nullptr;
  logonEx = nullptr;
  freeBuffer = nullptr;
  if (module_) wce::FreeLibrary(module_);
  module_ = nullptr;
}

}  // namespace qel::messaging
