#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "microedition/backend/DisplayBackend.h"

namespace qel::lcdui {

// The three back-ends of the process, in the order "tdlx", "gdi", "extesc".
class BackendTable {
public:
  static constexpr int Count = 3;

  BackendTable() = delete;

  // Does nothing while the table exists.
  static void createBackends();
  // Deletes the three; the table is absent afterwards.
  static void destroyBackends();
  static bool exists();
  // Null while the table is absent.
  static DisplayBackend* at(int index);
  // The first back-end whose name equals driver without regard to ASCII
  // case; entry 0 for a null or unmatched driver; null without a table.
  static DisplayBackend* choose(const char16_t* driver);
};

}  // namespace qel::lcdui
