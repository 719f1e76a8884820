#include "microedition/host/HostKeys.h"

#include "platform/window/VirtualKeys.h"

namespace qel::host {

namespace {

constexpr int32_t code(wce::WPARAM virtualKey) { return static_cast<int32_t>(virtualKey); }

int32_t pocketPcCode(int32_t key) {
  switch (key) {
    case code(wce::VK_APP1):
    case code(wce::VK_F1): return KeySoftLeft;
    case code(wce::VK_ESCAPE):
    case code(wce::VK_APP4):
    case code(wce::VK_F2): return KeySoftRight;
    case code(wce::VK_RETURN): return KeySelect;
    case code(wce::VK_APP3): return KeyApplication3;
    case code(wce::VK_APP2): return KeyApplication2;
    case code(wce::VK_F3): return KeyF3;
    case code(wce::VK_F4): return KeyF4;
    default: return key;
  }
}

int32_t smartphoneCode(int32_t key) {
  switch (key) {
    case code(wce::VK_F1): return KeySoftLeft;
    case code(wce::VK_ESCAPE):
    case code(wce::VK_F2): return KeySoftRight;
    case code(wce::VK_RETURN): return KeySelect;
    case code(wce::VK_F9): return KeyApplication3;
    case code(wce::VK_F8): return KeyApplication2;
    case code(wce::VK_F3): return KeyF3;
    case code(wce::VK_F4): return KeyF4;
    default: return key;
  }
}

}  // namespace

std::optional<int32_t> translateVirtualKey(wce::WPARAM virtualKey, const KeyRules& rules) {
  auto key = static_cast<int32_t>(virtualKey);
  if (rules.specialKeys) {
    if (key == code(wce::VK_LWIN) || key == code(wce::VK_RWIN)) return std::nullopt;
    if (key == code(wce::VK_APP2))
      key = code(wce::VK_F1);
    else if (key == code(wce::VK_APP3))
      key = code(wce::VK_F2);
  }
  if (rules.smartphone) return smartphoneCode(key);
  if ((key >= code(wce::VK_F13) && key <= code(wce::VK_F24)) || key == code(wce::VK_LWIN)) return std::nullopt;
  return pocketPcCode(key);
}

}  // namespace qel::host
