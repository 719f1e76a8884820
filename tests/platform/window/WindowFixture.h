#pragma once
// A window class whose procedure records every message, and a clean desktop
// and queue around each test.

#include <gtest/gtest.h>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace wce::testing {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Received&) const = default;
};

inline std::vector<Received>& received() {
  static std::vector<Received> log;
  return log;
}

inline LRESULT recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  received().push_back({window, message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    WindowClassInfo info;
    info.procedure = &recordingProcedure;
    info.className = u"Recorder";
    ASSERT_NE(RegisterClassW(&info), 0);
    received().clear();
  }

  void TearDown() override {
    for (HWND window = newestTopLevelWindow(); window; window = newestTopLevelWindow()) DestroyWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
    EXPECT_TRUE(UnregisterClassW(u"Recorder", nullptr));
    received().clear();
  }

  HWND create(const char16_t* title = u"w", DWORD style = WS_VISIBLE, HWND parent = nullptr) {
    return CreateWindowExW(0, u"Recorder", title, style, 0, 0, 240, 320, parent, nullptr, nullptr, nullptr);
  }

  // Takes every waiting message, dispatching each, and answers their numbers.
  std::vector<UINT> drain() {
    std::vector<UINT> numbers;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      numbers.push_back(message.message);
      DispatchMessageW(&message);
    }
    return numbers;
  }

  ManualClock clock_{1000};
  ScopedClockSource installedClock_{clock_};
};

}  // namespace wce::testing
