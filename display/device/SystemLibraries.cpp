#include "display/device/SystemLibraries.h"

#include <memory>

#include "display/device/DeviceCaches.h"
#include "display/device/DeviceModel.h"
#include "display/device/Log.h"
#include "platform/system/Aygshell.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

constexpr wce::DWORD kDmOrientation = 0x00000001;
constexpr wce::DWORD kDmdoValues[] = {wce::DMDO_0, wce::DMDO_90, wce::DMDO_180, wce::DMDO_270};

int quarterTurnsOf(wce::DWORD dmdo) {
  switch (dmdo) {
    case wce::DMDO_0: return 0;
    case wce::DMDO_90: return 1;
    case wce::DMDO_180: return 2;
    case wce::DMDO_270: return 3;
    default: return -1;
  }
}

wce::DWORD turned(wce::DWORD dmdo, int steps) {
  const int quarterTurns = quarterTurnsOf(dmdo);
  return quarterTurns < 0 ? dmdo : kDmdoValues[(quarterTurns + steps) & 3];
}

bool keepOnly(bool) { return true; }

// What a device without ChangeDisplaySettingsEx answers: it shows orientation 0.
std::int32_t fixedOrientation(const char16_t*, wce::DeviceMode* mode, wce::HWND, wce::DWORD flags, void*) {
  if (!mode || mode->size < sizeof(wce::DeviceMode)) return wce::DISP_CHANGE_BADPARAM;
  if (flags == wce::CDS_TEST) {
    if (mode->fields == wce::DM_DISPLAYQUERYORIENTATION || mode->fields == kDmOrientation) {
      mode->displayOrientation = wce::DMDO_0;
      return wce::DISP_CHANGE_SUCCESSFUL;
    }
    return wce::DISP_CHANGE_FAILED;
  }
  if (flags == wce::CDS_RESET) {
    return mode->fields == kDmOrientation && mode->displayOrientation == wce::DMDO_0 ? wce::DISP_CHANGE_SUCCESSFUL
                                                                                     : wce::DISP_CHANGE_FAILED;
  }
  return wce::DISP_CHANGE_BADFLAGS;
}

}  // namespace

// Never destroyed: displays held by other statics call the libraries from
// their destructors when the process exits.
std::unique_ptr<CoreLibrary>& coreLibraryHolder() {
  static auto* holder = new std::unique_ptr<CoreLibrary>;
  return *holder;
}

std::unique_ptr<ShellLibrary>& shellLibraryHolder() {
  static auto* holder = new std::unique_ptr<ShellLibrary>;
  return *holder;
}

CoreLibrary::CoreLibrary()
    : library_(u"coredll.dll"),
      allKeys_(library_.entry<AllKeysFunction>(u"AllKeys")),
      setKMode_(library_.entry<SetKModeFunction>(u"SetKMode")),
      changeDisplaySettings_(library_.entry<ChangeDisplaySettingsFunction>(u"ChangeDisplaySettingsEx")) {
  if (!allKeys_) allKeys_ = &keepOnly;
  if (!changeDisplaySettings_) changeDisplaySettings_ = &fixedOrientation;
  const int model = getDeviceModel();
  // The Motorola Q counts display orientations a quarter turn off from the
  // system's, so orientation changes are turned to match.
  if (model == kModelMotoQ || model == kModelMotoQ9c) applyOrientationFix();
}

CoreLibrary& CoreLibrary::instance() {
  auto& holder = coreLibraryHolder();
  if (!holder) holder = std::make_unique<CoreLibrary>();
  return *holder;
}

void CoreLibrary::allKeys(bool all) {
  allKeysSetting_ = all;
  allKeys_(all);
}

bool CoreLibrary::setKernelMode(bool kernel) {
  const bool previous = kernelMode_;
  kernelMode_ = kernel;
  return setKMode_ ? setKMode_(kernel) : previous;
}

std::int32_t CoreLibrary::changeDisplaySettings(wce::DeviceMode* mode, wce::DWORD flags) {
  const bool namesOrientation = mode && (mode->fields & wce::DM_DISPLAYORIENTATION);
  if (orientationFix_ && namesOrientation && flags == wce::CDS_RESET) {
    wce::DeviceMode fixed = *mode;
    fixed.displayOrientation = turned(mode->displayOrientation, 1);
    return changeDisplaySettings_(nullptr, &fixed, nullptr, flags, nullptr);
  }
  const std::int32_t result = changeDisplaySettings_(nullptr, mode, nullptr, flags, nullptr);
  if (orientationFix_ && namesOrientation && flags == wce::CDS_TEST) {
    mode->displayOrientation = turned(mode->displayOrientation, -1);
  }
  return result;
}

void CoreLibrary::applyOrientationFix() {
  if (orientationFix_) return;
  orientationFix_ = true;
  logLine("CoreDLL: Applying orientation fix for Motorola Q, Blackjack and friends");
}

ShellLibrary::ShellLibrary()
    : library_(u"aygshell.dll"), fullScreen_(library_.entry<FullScreenFunction>(u"SHFullScreen")) {}

ShellLibrary& ShellLibrary::instance() {
  auto& holder = shellLibraryHolder();
  if (!holder) holder = std::make_unique<ShellLibrary>();
  return *holder;
}

void ShellLibrary::fullScreen(wce::HWND window, wce::DWORD state) {
  if (fullScreen_) {
    fullScreen_(window, state);
    return;
  }
  wce::HWND taskBar = wce::FindWindowW(u"HHTaskBar", nullptr);
  if (!taskBar) return;
  if (state & wce::SHFS_SHOWTASKBAR) wce::ShowWindow(taskBar, wce::SW_SHOW);
  if (state & wce::SHFS_HIDETASKBAR) wce::ShowWindow(taskBar, wce::SW_HIDE);
}

int readSystemOrientation() {
  wce::DeviceMode mode;
  mode.fields = wce::DM_DISPLAYORIENTATION;
  if (CoreLibrary::instance().changeDisplaySettings(&mode, wce::CDS_TEST) != wce::DISP_CHANGE_SUCCESSFUL) return 0;
  const int quarterTurns = quarterTurnsOf(mode.displayOrientation);
  return quarterTurns < 0 ? 0 : quarterTurns;
}

std::int32_t setSystemOrientation(int quarterTurns) {
  wce::DeviceMode mode;
  mode.fields = wce::DM_DISPLAYORIENTATION;
  mode.displayOrientation = kDmdoValues[quarterTurns & 3];
  return CoreLibrary::instance().changeDisplaySettings(&mode, 0);
}

}  // namespace tdlx
