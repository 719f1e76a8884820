#include "display/api/DisplayImpl.h"

#include "display/api/WindowHook.h"
#include "display/detect/DriverChoice.h"
#include "display/device/SystemLibraries.h"
#include "platform/system/Aygshell.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

constexpr wce::DWORD kHideShell = wce::SHFS_HIDETASKBAR | wce::SHFS_HIDESIPBUTTON | wce::SHFS_HIDESTARTICON;
constexpr wce::DWORD kShowShell = wce::SHFS_SHOWTASKBAR | wce::SHFS_SHOWSIPBUTTON | wce::SHFS_SHOWSTARTICON;

}  // namespace

DisplayImpl::~DisplayImpl() {
  CoreLibrary::instance().allKeys(false);
  unhookWindow(window_);
}

bool DisplayImpl::Initialize(DisplayParams& params) {
  if (!wce::IsWindow(window_)) return false;
  if (!hookWindow(window_, this)) return false;
  if (!DisplayBase::Initialize(params)) return false;
  CoreLibrary::instance().allKeys(true);
  ShellLibrary::instance().fullScreen(window_, kHideShell);
  return true;
}

void DisplayImpl::resume() {
  ShellLibrary::instance().fullScreen(window_, kHideShell);
  active_ = true;
  locked_ = nullptr;
  if (driver_) driver_->resume();
}

void DisplayImpl::suspend() {
  ShellLibrary::instance().fullScreen(window_, kShowShell);
  if (driver_) driver_->suspend();
  active_ = false;
  locked_ = nullptr;
}

std::unique_ptr<VideoDriver> DisplayImpl::CreateVideoDriver(const DisplayParams& params) {
  return chooseDriver(processVideoDetect(window_), window_, params);
}

}  // namespace tdlx
