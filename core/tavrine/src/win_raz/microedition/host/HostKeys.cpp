#include "microedition/host/HostKeys.h"

namespace qel::host {

namespace {

int32_t pocketPcCode(int32_t key) {
  switch (key) {
    case 193: case 112: return KeySoftLeft;
    case 27: case 196: case 113: return KeySoftRight;
    case 13: return KeySelect;
    case 195: return KeyApplication3;
    case 194: return KeyApplication2;
    case 114: return KeyF3;
    case 115: return KeyF4;
    default: return key;
  }
}

int32_t smartphoneCode(int32_t key) {
  switch (key) {
    case 112: return KeySoftLeft;
    case 27: case 113: return KeySoftRight;
    case 13: return KeySelect;
    case 120: return KeyApplication3;
    case 119: return KeyApplication2;
    case 114: return KeyF3;
    case 115: return KeyF4;
    default: return key;
  }
}

}  // namespace

std::optional<int32_t> translateVirtualKey(wce::WPARAM virtualKey, const KeyRules& rules) {
  auto key = static_cast<int32_t>(virtualKey);
  if (rules.specialKeys) {
    if (key == 91 || key == 92) return std::nullopt;
    if (key == 194) key = 112;
    else if (key == 195) key = 113;
  }
  if (rules.smartphone) return smartphoneCode(key);
  if ((key >= 124 && key <= 135) || key == 91) return std::nullopt;
  return pocketPcCode(key);
}

}  // namespace qel::host
