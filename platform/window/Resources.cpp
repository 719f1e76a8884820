#include "platform/window/Resources.h"

#include <algorithm>
#include <string_view>

namespace wce {

struct Icon {};
struct Cursor {};

namespace {

Icon applicationIcon;
Cursor applicationCursor;

}  // namespace

int LoadStringW(HINSTANCE, UINT id, char16_t* buffer, int units) {
  std::u16string_view text;
  if (id == IDS_TITLE) text = u"Nightvault";
  if (id == IDS_WINDOW_CLASS) text = u"GameEngine";
  if (text.empty() || !buffer || units < 1) return 0;
  const auto copied = std::min(text.size(), static_cast<std::size_t>(units - 1));
  std::copy_n(text.begin(), copied, buffer);
  buffer[copied] = u'\0';
  return static_cast<int>(copied);
}

HICON LoadIconW(HINSTANCE, UINT id) { return id == IDI_APPLICATION_ICON ? &applicationIcon : nullptr; }

HCURSOR LoadCursorW(HINSTANCE, UINT id) { return id == IDC_APPLICATION_CURSOR ? &applicationCursor : nullptr; }

}  // namespace wce
