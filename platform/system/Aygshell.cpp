#include "platform/system/Aygshell.h"

#include "platform/system/AygshellCalls.h"

namespace wce {

AygshellCalls& aygshellCalls() {
  static AygshellCalls instance;
  return instance;
}

bool SHFullScreen(HWND window, DWORD state) {
  aygshellCalls().fullScreen.add({window, state});
  return true;
}

std::int32_t SHSetImeMode(HWND window, DWORD mode) {
  aygshellCalls().imeMode.add({window, mode});
  return 0;
}

}  // namespace wce
