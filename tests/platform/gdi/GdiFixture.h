#pragma once

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/screen/DeviceScreen.h"
#include "platform/system/ActiveDevice.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace wce::testing {

inline std::vector<UINT>& messagesSeen() {
  static std::vector<UINT> seen;
  return seen;
}

inline LRESULT noteMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  messagesSeen().push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A clean default device, a black screen and one visible window class.
class GdiTest : public ::testing::Test {
protected:
  explicit GdiTest(const DeviceProfile& profile = DeviceProfile{}) : profile_(profile) {}

  void SetUp() override {
    WindowClassInfo info;
    info.procedure = &noteMessages;
    info.className = u"Canvas";
    ASSERT_NE(RegisterClassW(&info), 0);
    DeviceScreen::instance().fill(0);
    messagesSeen().clear();
  }

  void TearDown() override {
    for (HWND window = newestTopLevelWindow(); window; window = newestTopLevelWindow()) DestroyWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
    EXPECT_TRUE(UnregisterClassW(u"Canvas", nullptr));
  }

  HWND window(int x = 0, int y = 0, int width = 240, int height = 320, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(0, u"Canvas", u"", style, x, y, width, height, nullptr, nullptr, nullptr, nullptr);
  }

  static BitmapInfo dibInfo(int width, int height, int bits = 16, DWORD compression = BI_RGB) {
    BitmapInfo info;
    info.header.width = width;
    info.header.height = height;
    info.header.bitCount = static_cast<std::uint16_t>(bits);
    info.header.compression = compression;
    if (compression == BI_BITFIELDS) {
      info.masks[0] = 0xF800;
      info.masks[1] = 0x07E0;
      info.masks[2] = 0x001F;
    }
    return info;
  }

  static void put16(void* bits, int stride, int x, int y, std::uint16_t value) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + y * stride + x * 2, &value, 2);
  }

  ScopedDeviceProfile profile_;
};

}  // namespace wce::testing
