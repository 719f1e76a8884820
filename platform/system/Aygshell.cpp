#include "platform/system/Aygshell.h"

#include "platform/system/AygshellCalls.h"

namespace wce {

AygshellCalls& aygshellCalls() {
  static AygshellCalls instance;
  return instance;
}

bool SHFullScreen(HWND window, DWORD state) {
  recordCall(aygshellCalls().fullScreen, {window, state});
  return true;
}

std::int32_t SHSetImeMode(HWND window, DWORD mode) {
  recordCall(aygshellCalls().imeMode, {window, mode});
  return 0;
}

}  // namespace wce
