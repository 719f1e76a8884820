#include "platform/gdi/DisplaySettings.h"

#include "platform/system/ActiveDevice.h"
#include "platform/system/ModuleTable.h"
#include "platform/window/Desktop.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"

namespace wce {
namespace {

constexpr DWORD kEveryOrientation = DMDO_0 | DMDO_90 | DMDO_180 | DMDO_270;

DWORD toDmdo(int quarterTurns) {
  constexpr DWORD values[] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};
  return values[quarterTurns & 3];
}

int fromDmdo(DWORD value) {
  switch (value) {
    case DMDO_0: return 0;
    case DMDO_90: return 1;
    case DMDO_180: return 2;
    case DMDO_270: return 3;
    default: return -1;
  }
}

std::int32_t turnScreen(DWORD orientation) {
  const int quarterTurns = fromDmdo(orientation);
  if (quarterTurns < 0) return DISP_CHANGE_BADMODE;
  if (!deviceProfile().rotatable) return DISP_CHANGE_FAILED;
  if (quarterTurns == displayOrientation()) return DISP_CHANGE_SUCCESSFUL;
  setDisplayOrientation(quarterTurns);
  for (HWND window : Desktop::instance().windows()) {
    if (!window->parent) SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  }
  return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

std::int32_t ChangeDisplaySettingsEx(const char16_t*, DeviceMode* mode, HWND, DWORD flags, void*) {
  if (!mode) return flags == 0 ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_BADPARAM;
  if (mode->size < sizeof(DeviceMode)) return DISP_CHANGE_BADPARAM;
  if (flags == CDS_TEST) {
    if (mode->fields & DM_DISPLAYQUERYORIENTATION) {
      mode->displayOrientation = deviceProfile().rotatable ? kEveryOrientation : DMDO_0;
    } else if (mode->fields & DM_DISPLAYORIENTATION) {
      mode->displayOrientation = toDmdo(displayOrientation());
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (flags != 0 && flags != CDS_RESET) return DISP_CHANGE_BADFLAGS;
  if (!(mode->fields & DM_DISPLAYORIENTATION)) return DISP_CHANGE_SUCCESSFUL;
  return turnScreen(mode->displayOrientation);
}

void registerDisplaySettingsEntries() {
  registerModuleEntry(u"coredll.dll", u"ChangeDisplaySettingsEx", &ChangeDisplaySettingsEx);
}

}  // namespace wce
