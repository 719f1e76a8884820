#include "microedition/backend/GxInput.h"

#include "platform/system/ModuleTable.h"

namespace qel::lcdui {

namespace {

using GxCall = int (*)();

void callEntry(const char16_t* name) {
  wce::HMODULE gx = wce::LoadLibraryW(u"gx.dll");
  if (!gx) return;
  if (auto entry = reinterpret_cast<GxCall>(wce::GetProcAddressW(gx, name))) entry();
  wce::FreeLibrary(gx);
}

}  // namespace

void GxInput::open() { callEntry(u"?GXOpenInput@@YAHXZ"); }

void GxInput::close() { callEntry(u"?GXCloseInput@@YAHXZ"); }

}  // namespace qel::lcdui
