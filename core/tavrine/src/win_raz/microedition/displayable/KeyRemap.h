#pragma once

#include <cstdint>
#include <string_view>

namespace qel::lcdui {

struct KeyRemapPair {
  int32_t from;
  int32_t to;
};

// The per-input-mode remap tables of QWERTY devices: lists of (from, to)
// pairs ended by a pair whose from is 0. Only mode 1 is ever given one, at
// start-up, from the device's OEM text.
class KeyRemap {
public:
  static constexpr int ModeCount = 3;

  KeyRemap() = delete;

  // Null for no remapping (and for modes outside 0..2).
  static const KeyRemapPair* table(int32_t inputMode);
  static void setTable(int32_t inputMode, const KeyRemapPair* pairs);
  // code rewritten by the mode's table, or unchanged.
  static int32_t remap(int32_t inputMode, int32_t code);
  // The remap table of the devices the OEM text names, or null.
  static const KeyRemapPair* tableForOemText(std::u16string_view oemText);
};

}  // namespace qel::lcdui
