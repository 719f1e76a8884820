#pragma once
// Message boxes: each is recorded, printed to standard error as
// "caption: text", and shown by the device driver.

#include <string>

#include "platform/window/WindowTypes.h"

namespace wce {

// Answers IDOK.
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type);

struct MessageBoxRecord {
  std::u16string text;
  std::u16string caption;
  UINT type;
  bool operator==(const MessageBoxRecord&) const = default;
};

}  // namespace wce
